/* The plug-in boundary between a host application and a .qvx plug-in.
 *
 * A host loads the plug-in with dlopen and finds its six functions with dlsym
 * by their plain names (QVX_Identification, QVX_GetPlugInVersion,
 * QVX_GetExtension, QVX_Execute, QVX_Shutdown, QVX_Description). During
 * QVX_Execute the plug-in talks to the host only through the HostCallback it
 * was given, passing a HostFrameRecord with every command.
 *
 * This header compiles as C (C11) and as C++ and needs nothing else. */
#ifndef QVX_PLUGIN_H
#define QVX_PLUGIN_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The commands a plug-in sends through the HostCallback. */
typedef enum HostCommand {
    /* A frame handed over to the host, full morphing mode: Bitmap, FrameNumber
     * and DelayMs describe it. The host copies the pixels during the call. */
    hcAddMorphFrame = 3,
    /* As hcAddMorphFrame, sent instead of it when there was no next frame. */
    hcAddWarpFrame = 4,
    /* The host sets Bitmap to the current frame and NextBitmap to the frame
     * after it, or to null when the current frame is the last. */
    hcGetFrames = 5,
    /* The plug-in has copied both frames and no longer uses the pointers. */
    hcFramesDone = 6,
    /* The host sets AnimationOn: non-zero when its animation mode is on. */
    hcQueryAnimation = 12
} HostCommand;

/* How the pixels of a HostBitmap are laid out. A zero-filled bitmap has no
 * known format, so a receiver refuses it. */
typedef enum HostPixelFormat {
    /* Three bytes per pixel in the order red, green, blue. */
    hpfRgb24 = 1
} HostPixelFormat;

/* One frame's pixels as they cross the boundary. Whoever passes it owns the
 * pixels; the receiver only reads them and copies what it keeps. */
typedef struct HostBitmap {
    int32_t Width;       /* pixels, at least 1 */
    int32_t Height;      /* pixels, at least 1 */
    int32_t PixelFormat; /* a HostPixelFormat */
    int32_t Reserved;    /* 0 */
    /* The first byte of the top row. */
    const uint8_t* TopRow;
    /* Bytes from the start of one row to the start of the row below it:
     * positive for images stored top-down, negative for bottom-up ones. Its
     * magnitude is at least 3 x Width for hpfRgb24. */
    ptrdiff_t RowStep;
} HostBitmap;

/* The record passed with every command. Fields a command does not name keep
 * what was there before; the plug-in never clears it between commands. */
typedef struct HostFrameRecord {
    uint8_t Unused0[2];
    uint8_t AnimationOn; /* answer to hcQueryAnimation */
    uint8_t Unused3[5];
    /* hcGetFrames: the current frame. hcAddMorphFrame, hcAddWarpFrame: the
     * frame handed over, valid only during the call. */
    const HostBitmap* Bitmap;
    /* The plug-in adds 1 before each frame it hands over. */
    int32_t FrameNumber;
    /* Display time of the handed frame in milliseconds. */
    int32_t DelayMs;
    /* hcGetFrames: the frame after the current one, or null. */
    const HostBitmap* NextBitmap;
} HostFrameRecord;

/* The host's function that answers a command. Its result, if a host gives
 * one, is never read. */
typedef void (*HostCallback)(int32_t command, HostFrameRecord* record);

/* The host's main window as its native window id: on X11 the Window (XID)
 * of the host's top-level window, which owns the plug-in's windows; 0 when
 * the host has none. Wide enough for any X11 window id. */
typedef uintptr_t HostWindowHandle;

/* QVX_Description writes the plug-in's web address at this offset of the
 * host's buffer; QVX_DESCRIPTION_BUFFER_SIZE bytes hold both texts. */
#define QVX_DESCRIPTION_ADDRESS_OFFSET 2048
#define QVX_DESCRIPTION_BUFFER_SIZE 4096

/* The six exported functions, for dlsym. */
/* The identification text, NUL-terminated; the same pointer on every call. */
typedef const char* (*QVX_IdentificationProc)(void);
/* The version of the plug-in interface the plug-in implements. */
typedef int32_t (*QVX_GetPlugInVersionProc)(void);
/* The plug-in's kind code. */
typedef int32_t (*QVX_GetExtensionProc)(void);
/* Runs one invocation to its end; returns 0. */
typedef int32_t (*QVX_ExecuteProc)(HostWindowHandle window, HostCallback callback);
/* Closes what is left of an invocation; the argument is ignored; returns 0. */
typedef int32_t (*QVX_ShutdownProc)(int32_t ignored);
/* Writes the description to buffer (QVX_DESCRIPTION_BUFFER_SIZE bytes) and
 * the web address at QVX_DESCRIPTION_ADDRESS_OFFSET; returns the address's
 * first byte. */
typedef char* (*QVX_DescriptionProc)(char* buffer);

#ifdef __cplusplus
} /* extern "C" */
#define QVX_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define QVX_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

/* The record keeps the 24-byte layout of 32-bit builds with its pointers
 * widened: bytes 0-7 as before, then each field at its natural alignment. */
QVX_STATIC_ASSERT(offsetof(HostFrameRecord, AnimationOn) == 2, "AnimationOn at byte 2");
QVX_STATIC_ASSERT(offsetof(HostFrameRecord, Bitmap) == 8, "Bitmap at byte 8");
QVX_STATIC_ASSERT(offsetof(HostFrameRecord, FrameNumber) == 8 + sizeof(void*), "FrameNumber after Bitmap");
QVX_STATIC_ASSERT(offsetof(HostFrameRecord, DelayMs) == 12 + sizeof(void*), "DelayMs after FrameNumber");
QVX_STATIC_ASSERT(offsetof(HostFrameRecord, NextBitmap) == 16 + sizeof(void*), "NextBitmap after DelayMs");
QVX_STATIC_ASSERT(sizeof(HostFrameRecord) == 16 + 2 * sizeof(void*), "24 bytes on 32-bit, 32 on 64-bit");
QVX_STATIC_ASSERT(offsetof(HostBitmap, TopRow) == 16, "TopRow at byte 16");
QVX_STATIC_ASSERT(offsetof(HostBitmap, RowStep) == 16 + sizeof(void*), "RowStep after TopRow");
QVX_STATIC_ASSERT(sizeof(HostBitmap) == 16 + 2 * sizeof(void*), "24 bytes on 32-bit, 32 on 64-bit");
QVX_STATIC_ASSERT(sizeof(HostWindowHandle) >= sizeof(unsigned long), "holds an X11 window id");

#undef QVX_STATIC_ASSERT

#endif /* QVX_PLUGIN_H */
