/* Compiled as C against the public boundary header alone: the record and
 * the bitmap have the layout a host in any language relies on. */
#include <stddef.h>
#include <stdio.h>

#include "qvx_plugin.h"

static int failures;

static void Expect(const char* what, size_t actual, size_t expected) {
    if (actual != expected) {
        printf("%s is %zu, expected %zu\n", what, actual, expected);
        ++failures;
    }
}

int main(void) {
    /* Pointers are 8 bytes on 64-bit builds, 4 on 32-bit ones. */
    const size_t pointer = sizeof(void*);
    Expect("offsetof(HostFrameRecord, AnimationOn)", offsetof(HostFrameRecord, AnimationOn), 2);
    Expect("offsetof(HostFrameRecord, Bitmap)", offsetof(HostFrameRecord, Bitmap), 8);
    Expect("offsetof(HostFrameRecord, FrameNumber)", offsetof(HostFrameRecord, FrameNumber), 8 + pointer);
    Expect("offsetof(HostFrameRecord, DelayMs)", offsetof(HostFrameRecord, DelayMs), 12 + pointer);
    Expect("offsetof(HostFrameRecord, NextBitmap)", offsetof(HostFrameRecord, NextBitmap), 16 + pointer);
    Expect("sizeof(HostFrameRecord)", sizeof(HostFrameRecord), pointer == 8 ? 32 : 24);
    Expect("offsetof(HostBitmap, PixelFormat)", offsetof(HostBitmap, PixelFormat), 8);
    Expect("offsetof(HostBitmap, TopRow)", offsetof(HostBitmap, TopRow), 16);
    Expect("offsetof(HostBitmap, RowStep)", offsetof(HostBitmap, RowStep), 16 + pointer);
    Expect("sizeof(HostBitmap)", sizeof(HostBitmap), pointer == 8 ? 32 : 24);
    Expect("command hcAddMorphFrame", hcAddMorphFrame, 3);
    Expect("command hcAddWarpFrame", hcAddWarpFrame, 4);
    Expect("command hcGetFrames", hcGetFrames, 5);
    Expect("command hcFramesDone", hcFramesDone, 6);
    Expect("command hcQueryAnimation", hcQueryAnimation, 12);
    if (failures == 0)
        printf("record layout: %zu-byte record, %zu-byte bitmap\n", sizeof(HostFrameRecord),
               sizeof(HostBitmap));
    return failures == 0 ? 0 : 1;
}
