/* Compiled for a 32-bit target only (-m32 -fsyntax-only): the same
 * declarations give the 24-byte record with 4-byte pointers. */
#include <stddef.h>

#include "qvx_plugin.h"

_Static_assert(offsetof(HostFrameRecord, AnimationOn) == 2, "AnimationOn");
_Static_assert(offsetof(HostFrameRecord, Bitmap) == 8, "Bitmap");
_Static_assert(offsetof(HostFrameRecord, FrameNumber) == 12, "FrameNumber");
_Static_assert(offsetof(HostFrameRecord, DelayMs) == 16, "DelayMs");
_Static_assert(offsetof(HostFrameRecord, NextBitmap) == 20, "NextBitmap");
_Static_assert(sizeof(HostFrameRecord) == 24, "24 bytes");
