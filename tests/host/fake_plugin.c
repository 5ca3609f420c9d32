/* A stand-in plug-in for testing hosts: the six exports of the boundary,
 * no window. It asks for animation mode, copies the current and next frame,
 * and hands back cross-faded frames computed from them. */
#include <stdlib.h>
#include <string.h>

#include "fake_plugin_contract.h"
#include "qvx_plugin.h"

#define EXPORT __attribute__((visibility("default")))

/* A frame as the plug-in keeps it: rows of 3 x width bytes, top row first. */
typedef struct Frame {
    int32_t width;
    int32_t height;
    uint8_t* pixels;
} Frame;

static size_t RowBytes(const Frame* frame) { return 3 * (size_t)frame->width; }

/* Copies what the host passed; refuses what a careful plug-in must refuse. */
static int CopyFrame(const HostBitmap* bitmap, Frame* frame) {
    if (!bitmap || bitmap->PixelFormat != hpfRgb24 || bitmap->Width < 1 || bitmap->Height < 1 ||
        !bitmap->TopRow)
        return 0;
    frame->width = bitmap->Width;
    frame->height = bitmap->Height;
    const size_t rowBytes = RowBytes(frame);
    const ptrdiff_t step = bitmap->RowStep;
    if ((step >= 0 ? (size_t)step : (size_t)-step) < rowBytes) return 0;
    frame->pixels = malloc(rowBytes * (size_t)frame->height);
    if (!frame->pixels) return 0;
    for (int32_t y = 0; y < frame->height; ++y) {
        memcpy(frame->pixels + (size_t)y * rowBytes, bitmap->TopRow + y * step, rowBytes);
    }
    return 1;
}

/* Hands frames[0] blended towards `towards` (or black) in `steps` + 1 even
 * parts, frames `first` to `last`, stored bottom-up with padded rows as the
 * plug-in's own working format is, through one buffer reused for every frame. */
static void HandOver(HostCallback callback, HostFrameRecord* record, int32_t command, const Frame* from,
                     const Frame* towards, int first, int last) {
    const size_t rowBytes = RowBytes(from);
    const size_t stride = (rowBytes + 3) / 4 * 4;
    uint8_t* buffer = malloc(stride * (size_t)from->height);
    if (!buffer) return;
    HostBitmap bitmap = {0};
    bitmap.Width = from->width;
    bitmap.Height = from->height;
    bitmap.PixelFormat = hpfRgb24;
    bitmap.TopRow = buffer + (size_t)(from->height - 1) * stride;
    bitmap.RowStep = -(ptrdiff_t)stride;
    for (int k = first; k <= last; ++k) {
        for (int32_t y = 0; y < from->height; ++y) {
            uint8_t* row = buffer + (size_t)(from->height - 1 - y) * stride;
            const uint8_t* a = from->pixels + (size_t)y * rowBytes;
            const uint8_t* b = towards ? towards->pixels + (size_t)y * rowBytes : NULL;
            for (size_t i = 0; i < rowBytes; ++i) {
                const int target = b ? b[i] : 0;
                row[i] = (uint8_t)((a[i] * (FAKE_PLUGIN_STEPS - k) + target * k + FAKE_PLUGIN_STEPS / 2) /
                                   FAKE_PLUGIN_STEPS);
            }
        }
        record->Bitmap = &bitmap;
        record->FrameNumber += 1;
        record->DelayMs = FAKE_PLUGIN_DELAY_MS;
        callback(command, record);
        /* The frame is ours again: a host that kept the pointer sees garbage. */
        memset(buffer, 0xA5, stride * (size_t)from->height);
    }
    record->Bitmap = NULL;
    free(buffer);
}

EXPORT const char* QVX_Identification(void) { return FAKE_PLUGIN_IDENTIFICATION; }

EXPORT int32_t QVX_GetPlugInVersion(void) { return FAKE_PLUGIN_VERSION; }

EXPORT int32_t QVX_GetExtension(void) { return FAKE_PLUGIN_KIND; }

EXPORT char* QVX_Description(char* buffer) {
    strcpy(buffer, "Cross-fades the current frame into the next one.\n");
    strcpy(buffer + QVX_DESCRIPTION_ADDRESS_OFFSET, "https://example.invalid/cross-fade");
    return buffer + QVX_DESCRIPTION_ADDRESS_OFFSET;
}

EXPORT int32_t QVX_Execute(HostWindowHandle window, HostCallback callback) {
    (void)window;
    HostFrameRecord record;
    memset(&record, 0, sizeof record);
    callback(hcQueryAnimation, &record);
    if (!record.AnimationOn) return 0;

    callback(hcGetFrames, &record);
    Frame current = {0}, next = {0};
    const int haveCurrent = CopyFrame(record.Bitmap, &current);
    const int haveNext = CopyFrame(record.NextBitmap, &next);
    callback(hcFramesDone, &record);

    if (haveCurrent) {
        if (haveNext && next.width == current.width && next.height == current.height) {
            HandOver(callback, &record, hcAddMorphFrame, &current, &next, 0, FAKE_PLUGIN_STEPS);
        } else {
            HandOver(callback, &record, hcAddWarpFrame, &current, NULL, 0, FAKE_PLUGIN_STEPS - 1);
        }
    }
    free(current.pixels);
    free(next.pixels);
    return 0;
}

EXPORT int32_t QVX_Shutdown(int32_t ignored) {
    (void)ignored;
    return 0;
}
