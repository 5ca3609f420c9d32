#include "platform/vector_layer.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace kavrell {
namespace {

constexpr VectorObject kAbsentObject{.style = kStyleNone};

}  // namespace

ObjectHandle VectorLayer::AddNewObject() {
    if (nextHandle_ == kNoObject) ++nextHandle_;
    if (nextHandle_ > std::numeric_limits<ObjectHandle>::max()) return kNoObject;
    const auto handle = static_cast<ObjectHandle>(nextHandle_++);
    objects_.emplace(handle, Entry{VectorObject{}, ++frontKey_});
    orderStale_ = true;
    Changed();
    return handle;
}

void VectorLayer::RemoveObject(ObjectHandle handle) {
    const auto found = objects_.find(handle);
    if (found == objects_.end()) return;
    if (found->second.object.selected) --selectedCount_;
    objects_.erase(found);
    orderStale_ = true;
    Changed();
}

void VectorLayer::RemoveAllObjects() {
    objects_.clear();
    selectedCount_ = 0;
    orderStale_ = true;
    Changed();
}

ObjectHandle VectorLayer::GetObjFromIndex(int32_t index) const {
    if (index < 0 || index >= ObjectsCount()) return kNoObject;
    if (orderStale_) {
        std::vector<std::pair<int64_t, ObjectHandle>> keyed;
        keyed.reserve(objects_.size());
        for (const auto& [handle, entry] : objects_) keyed.emplace_back(entry.stackKey, handle);
        std::sort(keyed.begin(), keyed.end());
        order_.clear();
        for (const auto& [key, handle] : keyed) order_.push_back(handle);
        orderStale_ = false;
    }
    return order_[static_cast<size_t>(index)];
}

const VectorObject* VectorLayer::FindObject(ObjectHandle handle) const {
    const auto found = objects_.find(handle);
    return found == objects_.end() ? nullptr : &found->second.object;
}

const VectorObject& VectorLayer::Read(ObjectHandle handle) const {
    const VectorObject* object = FindObject(handle);
    return object ? *object : kAbsentObject;
}

VectorObject* VectorLayer::Find(ObjectHandle handle) {
    const auto found = objects_.find(handle);
    return found == objects_.end() ? nullptr : &found->second.object;
}

void VectorLayer::SetObjKind(ObjectHandle handle, ObjKind kind) { Set(handle, &VectorObject::kind, kind); }

void VectorLayer::SetObjLeft(ObjectHandle handle, int32_t left) { Set(handle, &VectorObject::left, left); }

void VectorLayer::SetObjTop(ObjectHandle handle, int32_t top) { Set(handle, &VectorObject::top, top); }

void VectorLayer::SetObjWidth(ObjectHandle handle, int32_t width) {
    Set(handle, &VectorObject::width, width);
}

void VectorLayer::SetObjHeight(ObjectHandle handle, int32_t height) {
    Set(handle, &VectorObject::height, height);
}

void VectorLayer::SetObjPenColor(ObjectHandle handle, Color color) {
    Set(handle, &VectorObject::penColor, color);
}

void VectorLayer::SetObjBrushColor(ObjectHandle handle, Color color) {
    Set(handle, &VectorObject::brushColor, color);
}

void VectorLayer::SetObjBrushStyle(ObjectHandle handle, BrushStyle style) {
    Set(handle, &VectorObject::brushStyle, style);
}

void VectorLayer::SetObjStyle(ObjectHandle handle, ObjStyle style) {
    Set(handle, &VectorObject::style, style);
}

void VectorLayer::SetObjID(ObjectHandle handle, int32_t id) { Set(handle, &VectorObject::id, id); }

void VectorLayer::Restack(ObjectHandle handle, int64_t key) {
    const auto found = objects_.find(handle);
    if (found == objects_.end()) return;
    found->second.stackKey = key;
    orderStale_ = true;
    Changed();
}

void VectorLayer::SetObjBackTo(ObjectHandle handle) { Restack(handle, --backKey_); }

void VectorLayer::SetObjFrontOf(ObjectHandle handle) { Restack(handle, ++frontKey_); }

void VectorLayer::AddSelObject(ObjectHandle handle) {
    VectorObject* object = Find(handle);
    if (!object || object->selected) return;
    object->selected = true;
    ++selectedCount_;
    Changed();
}

void VectorLayer::UnSelAllObjects() {
    for (auto& [handle, entry] : objects_) entry.object.selected = false;
    selectedCount_ = 0;
    Changed();
}

}  // namespace kavrell
