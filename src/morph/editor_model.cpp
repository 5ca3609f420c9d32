#include "morph/editor_model.h"

#include <algorithm>

#include "morph/field_editing.h"
#include "morph/mesh_editing.h"
#include "morph/messages.h"
#include "morph/method_markers.h"
#include "morph/sequence_driver.h"
#include "morph/session_setup.h"

namespace kavrell {

EditorModel::EditorModel() {
    session_.VectLeft = &left_;
    session_.VectRight = &right_;
    session_.Frames = &frames_;
    session_.Gauge = &gauge_;
    UpdateFieldLabels();
}

WarpMethod EditorModel::Method() const { return Warp() ? Warp()->method : WarpMethod::Mesh; }

const char* EditorModel::AddButtonCaption() const { return addDown_ ? "Add pts." : "Move pts."; }

void EditorModel::Show(const Bitmap& current, const Bitmap* next) {
    SetPage(NotebookPage::Mesh);
    left_.Image() = current;
    right_.Image() = next ? *next : current;
    const bool warpOnly = next == nullptr;
    modeLabel_ = warpOnly ? "Warp only mode" : "Full morphing mode";
    // A fresh record with the hidden cursor markers, the common image size
    // and the preview settings; the frame list and gauge are the model's own.
    BeginSession(session_, left_, right_, warpOnly);
    WarpObjStru& warp = *session_.WarpObj;
    warp.addMode = addDown_;
    warp.moveBoth = moveBoth_;
    cursor_ = {ViewCursor::CrossHair, ViewCursor::CrossHair};
    closeRequested_ = false;
    UpdateFieldLabels();
}

void EditorModel::Close() {
    left_.Image() = Bitmap{};
    right_.Image() = Bitmap{};
    left_.Layer().RemoveAllObjects();
    right_.Layer().RemoveAllObjects();
    frames_.Clear();
    session_.WarpObj.reset();
}

void EditorModel::MouseDown(ViewId view, int32_t x, int32_t y) {
    if (!ImagesPresent()) return;
    if (Method() == WarpMethod::Mesh) {
        MeshPress(session_, x, y, View(view));
    } else {
        FieldPress(session_, x, y, View(view));
        UpdateFieldLabels();
    }
}

ViewCursor EditorModel::MouseMove(ViewId view, int32_t x, int32_t y) {
    ViewCursor& cursor = cursor_[Index(view)];
    if (!ImagesPresent()) return cursor;
    cursor = ViewCursor::CrossHair;
    const WarpObjStru& warp = *Warp();
    ImageView& target = View(view);
    if (warp.method == WarpMethod::Mesh) {
        if (!HasMesh(warp)) return cursor;
        if (warp.buttonDown) {
            MeshDrag(session_, x, y, target);
        } else if (HitMeshNode(session_, x, y, target)) {
            cursor = ViewCursor::HandPoint;
        }
    } else {
        if (warp.pointCount == 0) return cursor;
        if (warp.buttonDown) {
            FieldDrag(session_, x, y, target);
        } else if (HitFieldPoint(session_, x, y, target)) {
            cursor = ViewCursor::HandPoint;
        }
    }
    return cursor;
}

void EditorModel::MouseUp(ViewId view, int32_t x, int32_t y) {
    if (!ImagesPresent()) return;
    if (Method() == WarpMethod::Mesh) {
        MeshRelease(session_, x, y, View(view));
    } else {
        FieldRelease(session_, x, y, View(view));
    }
}

std::optional<ViewRequest> EditorModel::CommonButtonsClick(int32_t tag) {
    session_.PreviewMode = false;
    switch (tag) {
    case TagCenterLeft:
        return ViewButton(ViewId::Left, ViewAction::Center);
    case TagFitLeft:
        return ViewButton(ViewId::Left, ViewAction::Fit);
    case TagZoomInLeft:
        return ViewButton(ViewId::Left, ViewAction::ZoomIn);
    case TagZoomOutLeft:
        return ViewButton(ViewId::Left, ViewAction::ZoomOut);
    case TagCenterRight:
        return ViewButton(ViewId::Right, ViewAction::Center);
    case TagFitRight:
        return ViewButton(ViewId::Right, ViewAction::Fit);
    case TagZoomInRight:
        return ViewButton(ViewId::Right, ViewAction::ZoomIn);
    case TagZoomOutRight:
        return ViewButton(ViewId::Right, ViewAction::ZoomOut);
    case TagMesh:
        SelectMethod(WarpMethod::Mesh);
        break;
    case TagField:
        SelectMethod(WarpMethod::Field);
        break;
    case TagExecute:
        GenerateAndOffer(false);
        break;
    case TagPreview:
        GenerateAndOffer(true);
        break;
    case TagNewMesh:
        CreateMeshCommand();
        break;
    case TagClearMesh:
        ClearCommand(WarpMethod::Mesh);
        break;
    case TagMoveBoth:
        moveBoth_ = !moveBoth_;
        if (Warp()) Warp()->moveBoth = moveBoth_;
        break;
    case TagFieldAdd:
        addDown_ = !addDown_;
        if (Warp()) Warp()->addMode = addDown_;
        break;
    case TagLineBreak:
        LineBreak(session_);
        break;
    case TagFieldClear:
        ClearCommand(WarpMethod::Field);
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<ViewRequest> EditorModel::ViewButton(ViewId view, ViewAction action) {
    // The centre buttons are toggles, whatever the image; the view acts only
    // on an image it shows.
    bool& centerDown = centerDown_[Index(view)];
    if (action == ViewAction::Center) centerDown = !centerDown;
    if (View(view).Image().Empty()) return std::nullopt;
    return ViewRequest{view, action, action == ViewAction::Center && centerDown};
}

void EditorModel::SelectMethod(WarpMethod method) {
    if (Warp()) Warp()->method = method;
    SetPage(method == WarpMethod::Mesh ? NotebookPage::Mesh : NotebookPage::Field);
    ShowMethodMarkers(session_, method);
}

void EditorModel::CreateMeshCommand() {
    if (!ImagesPresent()) {
        MorphMessage(kMsgAnimationModeOff);
        return;
    }
    SetBusy(true);
    CreateMesh(session_, meshCols_, meshRows_);
    SetBusy(false);
}

void EditorModel::ClearCommand(WarpMethod method) {
    if (!ImagesPresent()) {
        MorphMessage(kMsgAnimationModeOff);
        return;
    }
    if (!MorphMessage(kMsgConfirmClear)) return;
    if (method == WarpMethod::Mesh) {
        ClearMesh(session_);
    } else {
        ClearFieldLines(session_);
        UpdateFieldLabels();
    }
}

GenerationResult EditorModel::Generate(bool preview) {
    session_.PreviewMode = preview;
    if (!ImagesPresent()) {
        MorphMessage(kMsgAnimationModeOff);
        return GenerationResult::Refused;
    }
    WarpObjStru& warp = *Warp();
    if (!HasControlPoints(warp)) {
        MorphMessage(kMsgNoControlPoints);
        return GenerationResult::Refused;
    }
    SetBusy(true);
    session_.FrameCount = frameCount_;
    session_.FrameDelay = delay_;
    warp.linear = linear_;
    const NotebookPage shown = page_;
    SetPage(NotebookPage::Progress);
    gauge_.SetProgress(0);
    frames_.Clear();
    const bool completed = GenerateMorphSequence(session_);
    SetPage(shown);
    SetBusy(false);
    return completed ? GenerationResult::Completed : GenerationResult::Failed;
}

void EditorModel::GenerateAndOffer(bool preview) {
    if (Generate(preview) == GenerationResult::Refused) return;
    const int32_t result = player_ ? player_->ShowModal(session_.PreviewMode) : PlayerClosed;
    if (result == PlayerSaveAndExit) HandOverFrames();
}

void EditorModel::HandOverFrames() {
    const int32_t command = Warp()->warpOnly ? hcAddWarpFrame : hcAddMorphFrame;
    const int32_t delayMs = session_.FrameDelay * 10;
    for (int32_t k = 0; k < frames_.Count(); ++k) {
        // The host's 32-bit counter wraps rather than overflows.
        frameNumber_ = static_cast<int32_t>(static_cast<uint32_t>(frameNumber_) + 1u);
        if (host_) host_->AddFrame(command, frames_.Frame(k), frameNumber_, delayMs);
        closeRequested_ = true;
    }
}

void EditorModel::UpdateFieldLabels() {
    const WarpObjStru* warp = Warp();
    usedLabel_ = std::to_string(warp ? warp->pointCount : 0);
    freeLabel_ = std::to_string(warp ? FreeFieldSlots(*warp) : MaxFieldPoints);
}

void EditorModel::SetFrameCount(int32_t frames) { frameCount_ = std::clamp(frames, MinFrames, MaxFrames); }
void EditorModel::SetDelay(int32_t delay) { delay_ = std::clamp(delay, MinDelay, MaxDelay); }
void EditorModel::SetMeshColumns(int32_t cols) { meshCols_ = std::clamp(cols, MinMeshCount, MaxMeshCount); }
void EditorModel::SetMeshRows(int32_t rows) { meshRows_ = std::clamp(rows, MinMeshCount, MaxMeshCount); }
void EditorModel::SetLinear(bool linear) { linear_ = linear; }

void EditorModel::SetPage(NotebookPage page) {
    page_ = page;
    if (pageListener_) pageListener_(page);
}

void EditorModel::SetBusy(bool busy) {
    busy_ = busy;
    if (busyListener_) busyListener_(busy);
}

}  // namespace kavrell
