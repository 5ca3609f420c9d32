#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/bitmap.h"
#include "qvx_plugin.h"

namespace kavrell::test {

// A host on the far side of the boundary: a real HostCallback that answers
// hcGetFrames with its images and records every command, with a copy of each
// handed frame. The callback carries no context, so one FakeHost at a time
// answers it.
//
// It passes its images top-down with padded rows, a layout other than the
// plug-in's own, and overwrites them at hcFramesDone, so that a plug-in that
// kept reading them would see garbage.
class FakeHost {
public:
    struct Call {
        int32_t command;
        int32_t frameNumber;  // the record's values during the call
        int32_t delayMs;
        std::optional<Bitmap> frame;  // hcAddMorphFrame, hcAddWarpFrame: a copy of the handed frame
    };

    FakeHost() { current_ = this; }
    ~FakeHost() { current_ = nullptr; }
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    HostCallback Callback() const { return &Answer; }

    // The frames the host gives with hcGetFrames; no next frame when null.
    void GiveFrames(const Bitmap& current, const Bitmap* next) {
        currentImage_ = current;
        nextImage_ = next ? std::optional<Bitmap>(*next) : std::nullopt;
    }
    // Bitmaps given as they stand, for the malformed ones a host may pass.
    std::optional<HostBitmap> rawCurrent;
    std::optional<HostBitmap> rawNext;

    // The FrameNumber the host leaves in the record with hcGetFrames, and the
    // amount it adds to the record's FrameNumber at each handed frame (its
    // own numbering of inserted frames).
    int32_t frameNumberAtGet = 0;
    int32_t renumberBy = 0;

    std::vector<Call> calls;
    std::vector<int32_t> Commands() const {
        std::vector<int32_t> codes;
        for (const Call& call : calls) codes.push_back(call.command);
        return codes;
    }

private:
    static constexpr int kPadding = 5;

    static void Answer(int32_t command, HostFrameRecord* record) { current_->Handle(command, *record); }

    void Handle(int32_t command, HostFrameRecord& record) {
        Call call{command, record.FrameNumber, record.DelayMs, std::nullopt};
        if (command == hcGetFrames) {
            Lend(currentImage_, rawCurrent, currentBuffer_, currentView_);
            Lend(nextImage_, rawNext, nextBuffer_, nextView_);
            record.Bitmap = rawCurrent ? &*rawCurrent : currentImage_ ? &currentView_ : nullptr;
            record.NextBitmap = rawNext ? &*rawNext : nextImage_ ? &nextView_ : nullptr;
            record.FrameNumber = frameNumberAtGet;
        } else if (command == hcFramesDone) {
            currentBuffer_.assign(currentBuffer_.size(), 0xEE);
            nextBuffer_.assign(nextBuffer_.size(), 0xEE);
        } else if (command == hcAddMorphFrame || command == hcAddWarpFrame) {
            if (record.Bitmap) call.frame = CopyOf(*record.Bitmap);
            record.FrameNumber += renumberBy;
        }
        calls.push_back(std::move(call));
    }

    static void Lend(const std::optional<Bitmap>& image, const std::optional<HostBitmap>& raw,
                     std::vector<uint8_t>& buffer, HostBitmap& view) {
        if (raw || !image) return;
        const int32_t step = 3 * image->Width() + kPadding;
        buffer.assign(static_cast<size_t>(step) * image->Height(), 0);
        for (int32_t y = 0; y < image->Height(); ++y) {
            std::memcpy(&buffer[static_cast<size_t>(y) * step], image->ScanLine(y),
                        3 * size_t(image->Width()));
        }
        view = HostBitmap{image->Width(), image->Height(), hpfRgb24, 0, buffer.data(), step};
    }

    static Bitmap CopyOf(const HostBitmap& frame) {
        Bitmap copy(frame.Width, frame.Height);
        for (int32_t y = 0; y < frame.Height; ++y) {
            std::memcpy(copy.ScanLine(y), frame.TopRow + ptrdiff_t(y) * frame.RowStep,
                        3 * size_t(frame.Width));
        }
        return copy;
    }

    inline static FakeHost* current_ = nullptr;
    std::optional<Bitmap> currentImage_;
    std::optional<Bitmap> nextImage_;
    std::vector<uint8_t> currentBuffer_;
    std::vector<uint8_t> nextBuffer_;
    HostBitmap currentView_{};
    HostBitmap nextView_{};
};

}  // namespace kavrell::test
