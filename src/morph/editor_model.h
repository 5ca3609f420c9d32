#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "morph/editor_limits.h"
#include "morph/editor_ports.h"
#include "morph/session.h"
#include "morph/warp_state.h"
#include "platform/bitmap.h"
#include "platform/frame_list.h"
#include "platform/image_view.h"
#include "platform/progress_gauge.h"

namespace kavrell {

// The two image views of the editor: the source on the left, the
// destination on the right.
enum class ViewId { Left, Right };

// The cursor a view shows over its image.
enum class ViewCursor { CrossHair, HandPoint };

// The pages of the editor's notebook.
enum class NotebookPage : int32_t { Progress = 0, Mesh = 1, Field = 2 };

// What the view buttons ask of a view; only a window can zoom and scroll.
enum class ViewAction { Center, Fit, ZoomIn, ZoomOut };
struct ViewRequest {
    ViewId view;
    ViewAction action;
    bool center = false;  // Center: whether the view centres its image from now on
    bool operator==(const ViewRequest&) const = default;
};

// The Tags of the editor's buttons and check box, by which every click is
// dispatched.
enum EditorTag : int32_t {
    TagCenterLeft = 20,
    TagFitLeft = 21,
    TagZoomInLeft = 22,
    TagZoomOutLeft = 23,
    TagCenterRight = 40,
    TagFitRight = 41,
    TagZoomInRight = 42,
    TagZoomOutRight = 43,
    TagMesh = 50,
    TagField = 51,
    TagExecute = 52,
    TagNewMesh = 60,
    TagClearMesh = 61,
    TagMoveBoth = 70,
    TagPreview = 71,
    TagFieldAdd = 80,
    TagLineBreak = 81,
    TagFieldClear = 82,
};

// How a generation ended: refused before it started (an image absent, or no
// control points, each with its message), completed, or stopped by a warp
// failure (with message 0; the frames made before it stay).
enum class GenerationResult { Refused, Completed, Failed };

// One invocation of the editor without its window: the two views with their
// images, the warp state record, the frame list, the gauge, the generation
// settings and the values of the controls the rules read. It carries out the
// editor's rules as plain operations; a window only turns its events and
// widget states into these calls and shows what the model holds.
class EditorModel {
public:
    EditorModel();
    // The session points into this object.
    EditorModel(const EditorModel&) = delete;
    EditorModel& operator=(const EditorModel&) = delete;

    // The player window and the host the sequence is offered to. Without a
    // player, an offered sequence counts as closed without saving.
    void AttachPlayer(SequencePlayer* player) { player_ = player; }
    void AttachHost(FrameHandOver* host) { host_ = host; }

    // Heard at every change of the notebook page and of the busy state (the
    // hourglass), so that a window can follow them during a generation,
    // which runs synchronously.
    void SetPageListener(std::function<void(NotebookPage)> listener) { pageListener_ = std::move(listener); }
    void SetBusyListener(std::function<void(bool)> listener) { busyListener_ = std::move(listener); }

    // Shows the host's current frame on the left and its next frame on the
    // right; without a next frame both views show the current one and the
    // editor works in warp-only mode. Starts a fresh record with hidden cursor
    // markers; a next frame of another size is resampled to the current one's.
    void Show(const Bitmap& current, const Bitmap* next);

    // Blanks both views, clears the frame list and releases the record.
    void Close();

    // The mouse events of a view, in image coordinates, routed to the editing
    // of the selected method. A move answers the cursor the view shows now.
    void MouseDown(ViewId view, int32_t x, int32_t y);
    ViewCursor MouseMove(ViewId view, int32_t x, int32_t y);
    void MouseUp(ViewId view, int32_t x, int32_t y);

    // The click of the button or check box with this Tag. The view buttons
    // answer the request the window carries out on the view; every other Tag
    // answers nothing. "Execute morphing" and "Morph preview" generate the
    // sequence and offer it to the player and, when saved, to the host.
    std::optional<ViewRequest> CommonButtonsClick(int32_t tag);

    // What both generate commands do before the player is shown: the checks,
    // the settings from the controls, the progress page, a cleared frame list
    // and the gauge at 0, the generation, the page shown before.
    GenerationResult Generate(bool preview);

    // Values of the controls that the rules read, kept in their ranges.
    void SetFrameCount(int32_t frames);  // "Frames"
    void SetDelay(int32_t delay);        // "Delay", hundredths of a second
    void SetMeshColumns(int32_t cols);   // "Horizontal pts"
    void SetMeshRows(int32_t rows);      // "Vertical pts"
    void SetLinear(bool linear);         // "Linear" (true) or "Catmull-Rom"
    int32_t FrameCount() const { return frameCount_; }
    int32_t Delay() const { return delay_; }
    int32_t MeshColumns() const { return meshCols_; }
    int32_t MeshRows() const { return meshRows_; }
    bool Linear() const { return linear_; }

    // The toggles, which the model switches on their clicks.
    bool CenterDown(ViewId view) const { return centerDown_[Index(view)]; }
    bool MoveBoth() const { return moveBoth_; }  // "Move src. & dest." ticked
    bool AddMode() const { return addDown_; }    // "Add pts." down
    WarpMethod Method() const;

    // What the window shows.
    NotebookPage Page() const { return page_; }
    bool Busy() const { return busy_; }
    const std::string& ModeLabel() const { return modeLabel_; }
    const char* AddButtonCaption() const;
    const std::string& UsedLabel() const { return usedLabel_; }
    const std::string& FreeLabel() const { return freeLabel_; }
    ViewCursor Cursor(ViewId view) const { return cursor_[Index(view)]; }
    // Set once frames were handed to the host: the editor is to close.
    bool CloseRequested() const { return closeRequested_; }
    bool ImagesPresent() const { return session_.ImagesPresent(); }

    // The FrameNumber of the host record, which every handed frame raises by
    // one first. The record lives across calls, so the caller may give the
    // value it counts on from.
    void SetFrameNumber(int32_t frameNumber) { frameNumber_ = frameNumber; }
    int32_t FrameNumber() const { return frameNumber_; }

    ImageView& View(ViewId view) { return view == ViewId::Left ? left_ : right_; }
    const ImageView& View(ViewId view) const { return view == ViewId::Left ? left_ : right_; }
    FrameList& Sequence() { return frames_; }
    const FrameList& Sequence() const { return frames_; }
    ProgressGauge& Gauge() { return gauge_; }
    MorphSession& Session() { return session_; }
    const MorphSession& Session() const { return session_; }
    // The record; present from Show to Close.
    WarpObjStru* Warp() { return session_.WarpObj.get(); }
    const WarpObjStru* Warp() const { return session_.WarpObj.get(); }

private:
    static size_t Index(ViewId view) { return view == ViewId::Left ? 0 : 1; }
    std::optional<ViewRequest> ViewButton(ViewId view, ViewAction action);
    void SelectMethod(WarpMethod method);
    void CreateMeshCommand();
    void ClearCommand(WarpMethod method);
    void GenerateAndOffer(bool preview);
    void HandOverFrames();
    void UpdateFieldLabels();
    void SetPage(NotebookPage page);
    void SetBusy(bool busy);

    ImageView left_;
    ImageView right_;
    FrameList frames_;
    ProgressGauge gauge_;
    MorphSession session_;

    int32_t frameCount_ = DefaultFrames;
    int32_t delay_ = DefaultDelay;
    int32_t meshCols_ = DefaultMeshCount;
    int32_t meshRows_ = DefaultMeshCount;
    bool linear_ = true;
    std::array<bool, 2> centerDown_{false, false};
    bool moveBoth_ = false;
    bool addDown_ = true;

    NotebookPage page_ = NotebookPage::Mesh;
    bool busy_ = false;
    std::string modeLabel_;
    std::string usedLabel_;
    std::string freeLabel_;
    std::array<ViewCursor, 2> cursor_{ViewCursor::CrossHair, ViewCursor::CrossHair};
    bool closeRequested_ = false;
    int32_t frameNumber_ = 0;

    SequencePlayer* player_ = nullptr;
    FrameHandOver* host_ = nullptr;
    std::function<void(NotebookPage)> pageListener_;
    std::function<void(bool)> busyListener_;
};

}  // namespace kavrell
