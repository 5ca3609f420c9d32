#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "platform/color.h"

namespace kavrell {

// Handle of an object in one view's vector layer; meaningful only in the layer
// that issued it.
using ObjectHandle = int32_t;

// Never issued by any layer: the editing code keeps this value in its handle
// lists for "no object", so a real object must never carry it.
inline constexpr ObjectHandle kNoObject = 0xFFFFF;

enum class ObjKind { Line, Box, Ellipse };
enum class BrushStyle { Clear, Solid };

// Style flags of an object, combined with |. An object without kStyleVisible
// is not drawn. The view itself never selects, moves or sizes an object that
// lacks the matching flag; the editing code sets none of those three, as all
// interaction with the markers is its own.
using ObjStyle = uint32_t;
inline constexpr ObjStyle kStyleNone = 0;
inline constexpr ObjStyle kStyleVisible = 1u << 0;
inline constexpr ObjStyle kStyleSelectable = 1u << 1;
inline constexpr ObjStyle kStyleMovable = 1u << 2;
inline constexpr ObjStyle kStyleSizable = 1u << 3;

// Everything a window needs to draw one object. Positions are image
// coordinates. A line runs from (left, top) to (left + width, top + height),
// so its extents may be negative; a box or an ellipse fills the rectangle with
// that corner and extent.
struct VectorObject {
    ObjKind kind = ObjKind::Line;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    Color penColor{0x00, 0x00, 0x00};
    Color brushColor{0xFF, 0xFF, 0xFF};
    BrushStyle brushStyle = BrushStyle::Clear;
    ObjStyle style = kStyleVisible;
    int32_t id = 0;
    bool selected = false;
    bool operator==(const VectorObject&) const = default;
};

// The vector objects drawn over one image view, in stacking order from back to
// front. Objects are known by handles that this layer issues once and never
// again, not even after the object is gone. A handle the layer does not know
// (removed, never issued, or issued by another layer) is harmless: setters
// ignore it and getters answer as for a hidden, unselected line at (0, 0) with
// zero extent and ID 0.
class VectorLayer {
public:
    // Adds an object with the defaults of VectorObject (a visible line, ID 0)
    // in front of all others and returns its handle. Once every handle has
    // been issued it adds nothing and returns kNoObject.
    ObjectHandle AddNewObject();

    void RemoveObject(ObjectHandle handle);
    // Removes every object; handles issued before stay used up.
    void RemoveAllObjects();

    bool HasObject(ObjectHandle handle) const { return objects_.contains(handle); }
    int32_t ObjectsCount() const { return static_cast<int32_t>(objects_.size()); }

    // The object at index in stacking order, 0 being the backmost; kNoObject
    // for an index outside 0..ObjectsCount() - 1.
    ObjectHandle GetObjFromIndex(int32_t index) const;

    // All properties of an object, or null for an unknown handle.
    const VectorObject* FindObject(ObjectHandle handle) const;

    void SetObjKind(ObjectHandle handle, ObjKind kind);
    void SetObjLeft(ObjectHandle handle, int32_t left);
    void SetObjTop(ObjectHandle handle, int32_t top);
    void SetObjWidth(ObjectHandle handle, int32_t width);
    void SetObjHeight(ObjectHandle handle, int32_t height);
    void SetObjPenColor(ObjectHandle handle, Color color);
    void SetObjBrushColor(ObjectHandle handle, Color color);
    void SetObjBrushStyle(ObjectHandle handle, BrushStyle style);
    void SetObjStyle(ObjectHandle handle, ObjStyle style);
    void SetObjID(ObjectHandle handle, int32_t id);

    ObjKind GetObjKind(ObjectHandle handle) const { return Read(handle).kind; }
    int32_t GetObjLeft(ObjectHandle handle) const { return Read(handle).left; }
    int32_t GetObjTop(ObjectHandle handle) const { return Read(handle).top; }
    int32_t GetObjWidth(ObjectHandle handle) const { return Read(handle).width; }
    int32_t GetObjHeight(ObjectHandle handle) const { return Read(handle).height; }
    Color GetObjPenColor(ObjectHandle handle) const { return Read(handle).penColor; }
    Color GetObjBrushColor(ObjectHandle handle) const { return Read(handle).brushColor; }
    BrushStyle GetObjBrushStyle(ObjectHandle handle) const { return Read(handle).brushStyle; }
    ObjStyle GetObjStyle(ObjectHandle handle) const { return Read(handle).style; }
    int32_t GetObjID(ObjectHandle handle) const { return Read(handle).id; }

    // Stacking: behind every other object, or in front of every other object.
    void SetObjBackTo(ObjectHandle handle);
    void SetObjFrontOf(ObjectHandle handle);

    // The view's object selection. Removing an object also deselects it.
    void AddSelObject(ObjectHandle handle);
    bool IsSelObject(ObjectHandle handle) const { return Read(handle).selected; }
    int32_t SelObjectsCount() const { return selectedCount_; }
    void UnSelAllObjects();

    // Called after every change of an object, its stacking or the selection,
    // so that a window showing the layer can repaint. A copy of the layer
    // starts without a listener: the listener belongs to whoever shows this one.
    using ChangeListener = std::function<void()>;
    void SetChangeListener(ChangeListener listener) { listener_.notify = std::move(listener); }

private:
    struct Entry {
        VectorObject object;
        int64_t stackKey;  // lower keys lie further back
    };

    const VectorObject& Read(ObjectHandle handle) const;
    VectorObject* Find(ObjectHandle handle);
    void Restack(ObjectHandle handle, int64_t key);
    void Changed() const {
        if (listener_.notify) listener_.notify();
    }
    // Sets one property and announces it when the value changed.
    template <typename T>
    void Set(ObjectHandle handle, T VectorObject::*property, T value) {
        VectorObject* object = Find(handle);
        if (!object || object->*property == value) return;
        object->*property = value;
        Changed();
    }

    struct ListenerSlot {
        ListenerSlot() = default;
        ListenerSlot(const ListenerSlot&) {}
        ListenerSlot& operator=(const ListenerSlot&) { return *this; }
        ChangeListener notify;
    };

    std::unordered_map<ObjectHandle, Entry> objects_;
    int64_t nextHandle_ = 1;  // 0 stays unissued, so zeroed handle fields name no object
    int64_t backKey_ = 0;
    int64_t frontKey_ = 0;
    int32_t selectedCount_ = 0;

    // Stacking order, rebuilt from the keys on the first enumeration after a
    // change, so that bulk creation and restacking stay linear.
    mutable std::vector<ObjectHandle> order_;
    mutable bool orderStale_ = false;
    ListenerSlot listener_;
};

}  // namespace kavrell
