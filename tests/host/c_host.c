/* A host written in C that uses nothing of the plug-in's project but the
 * public boundary header:
 *
 *   c_host PLUGIN.qvx on|off OUTDIR CURRENT.ppm [NEXT.ppm]
 *
 * It loads the plug-in, prints what the plug-in says about itself, runs it
 * once with animation mode on or off and the two frames (no next frame when
 * NEXT.ppm is left out), and writes every frame handed back as
 * OUTDIR/frame_000.ppm, frame_001.ppm, ... One line per frame goes to
 * standard output: "frame INDEX command CODE number N delay MS WxH".
 *
 * When an X display can be opened it creates a small window of its own and
 * passes its id as the host's window handle, as a desktop host would;
 * without a display it passes 0. */
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include "qvx_plugin.h"

typedef struct Image {
    int32_t width;
    int32_t height;
    uint8_t* pixels; /* rows of 3 x width bytes, top row first */
} Image;

static int animationOn;
static Image frames[2];
static HostBitmap bitmaps[2];
static const char* outputDirectory;
static int receivedCount;
static int failed;

static int ReadNumber(FILE* file, long* value) {
    int c = fgetc(file);
    while (c == '#' || c == ' ' || c == '\t' || c == '\n' || c == '\r') {
        if (c == '#') {
            while (c != '\n' && c != EOF) c = fgetc(file);
        }
        c = fgetc(file);
    }
    if (c < '0' || c > '9') return 0;
    *value = 0;
    while (c >= '0' && c <= '9') {
        if (*value > 1000000) return 0;
        *value = *value * 10 + (c - '0');
        c = fgetc(file);
    }
    return 1; /* the one whitespace byte after the number has been read */
}

/* Reads a binary PPM (P6, 8-bit). */
static int ReadPpm(const char* path, Image* image) {
    FILE* file = fopen(path, "rb");
    if (!file) {
        fprintf(stderr, "c_host: %s: %s\n", path, strerror(errno));
        return 0;
    }
    long width = 0, height = 0, maxValue = 0;
    const int ok = fgetc(file) == 'P' && fgetc(file) == '6' && ReadNumber(file, &width) &&
                   ReadNumber(file, &height) && ReadNumber(file, &maxValue) && maxValue == 255 && width > 0 &&
                   height > 0;
    if (ok) {
        const size_t size = 3 * (size_t)width * (size_t)height;
        image->width = (int32_t)width;
        image->height = (int32_t)height;
        image->pixels = malloc(size);
        if (image->pixels && fread(image->pixels, 1, size, file) == size) {
            fclose(file);
            return 1;
        }
    }
    fclose(file);
    fprintf(stderr, "c_host: %s: not an 8-bit binary PPM image\n", path);
    return 0;
}

static void ViewAsBitmap(const Image* image, HostBitmap* bitmap) {
    memset(bitmap, 0, sizeof *bitmap);
    bitmap->Width = image->width;
    bitmap->Height = image->height;
    bitmap->PixelFormat = hpfRgb24;
    bitmap->TopRow = image->pixels;
    bitmap->RowStep = 3 * (ptrdiff_t)image->width;
}

/* Writes a frame the plug-in handed over while the call lasts. */
static void WriteReceived(int32_t command, const HostFrameRecord* record) {
    const HostBitmap* bitmap = record->Bitmap;
    if (!bitmap || bitmap->PixelFormat != hpfRgb24 || bitmap->Width < 1 || bitmap->Height < 1 ||
        !bitmap->TopRow || (bitmap->RowStep < 0 ? -bitmap->RowStep : bitmap->RowStep) < 3 * bitmap->Width) {
        fprintf(stderr, "c_host: refused an unusable frame with command %d\n", (int)command);
        failed = 1;
        return;
    }
    char path[4096];
    snprintf(path, sizeof path, "%s/frame_%03d.ppm", outputDirectory, receivedCount);
    FILE* file = fopen(path, "wb");
    if (!file) {
        fprintf(stderr, "c_host: %s: %s\n", path, strerror(errno));
        failed = 1;
        return;
    }
    fprintf(file, "P6\n%d %d\n255\n", (int)bitmap->Width, (int)bitmap->Height);
    for (int32_t y = 0; y < bitmap->Height; ++y) {
        fwrite(bitmap->TopRow + y * bitmap->RowStep, 1, 3 * (size_t)bitmap->Width, file);
    }
    if (fclose(file) != 0) failed = 1;
    printf("frame %d command %d number %d delay %d %dx%d\n", receivedCount, (int)command,
           (int)record->FrameNumber, (int)record->DelayMs, (int)bitmap->Width, (int)bitmap->Height);
    ++receivedCount;
}

static void OnHostCommand(int32_t command, HostFrameRecord* record) {
    switch (command) {
    case hcQueryAnimation:
        record->AnimationOn = (uint8_t)(animationOn ? 1 : 0);
        break;
    case hcGetFrames:
        record->Bitmap = &bitmaps[0];
        record->NextBitmap = frames[1].pixels ? &bitmaps[1] : NULL;
        break;
    case hcFramesDone:
        break;
    case hcAddMorphFrame:
    case hcAddWarpFrame:
        WriteReceived(command, record);
        break;
    default:
        fprintf(stderr, "c_host: unknown command %d ignored\n", (int)command);
    }
}

static void* Find(void* library, const char* name) {
    void* symbol = dlsym(library, name);
    if (!symbol) fprintf(stderr, "c_host: the plug-in does not export %s\n", name);
    return symbol;
}

int main(int argc, char** argv) {
    if (argc < 5 || argc > 6 || (strcmp(argv[2], "on") != 0 && strcmp(argv[2], "off") != 0)) {
        fprintf(stderr, "usage: c_host PLUGIN.qvx on|off OUTDIR CURRENT.ppm [NEXT.ppm]\n");
        return 2;
    }
    animationOn = strcmp(argv[2], "on") == 0;
    outputDirectory = argv[3];
    if (mkdir(outputDirectory, 0777) != 0 && errno != EEXIST) {
        fprintf(stderr, "c_host: %s: %s\n", outputDirectory, strerror(errno));
        return 2;
    }
    for (int i = 0; i + 4 < argc; ++i) {
        if (!ReadPpm(argv[i + 4], &frames[i])) return 2;
        ViewAsBitmap(&frames[i], &bitmaps[i]);
    }

    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        fprintf(stderr, "c_host: %s\n", dlerror());
        return 2;
    }
    QVX_IdentificationProc identification = (QVX_IdentificationProc)Find(library, "QVX_Identification");
    QVX_GetPlugInVersionProc version = (QVX_GetPlugInVersionProc)Find(library, "QVX_GetPlugInVersion");
    QVX_GetExtensionProc kind = (QVX_GetExtensionProc)Find(library, "QVX_GetExtension");
    QVX_DescriptionProc description = (QVX_DescriptionProc)Find(library, "QVX_Description");
    QVX_ExecuteProc execute = (QVX_ExecuteProc)Find(library, "QVX_Execute");
    QVX_ShutdownProc shutdown = (QVX_ShutdownProc)Find(library, "QVX_Shutdown");
    if (!identification || !version || !kind || !description || !execute || !shutdown) return 2;

    static char text[QVX_DESCRIPTION_BUFFER_SIZE];
    const char* address = description(text);
    printf("identification: %s\nversion: %d\nkind: %d\ndescription: %s\naddress: %s\n", identification(),
           (int)version(), (int)kind(), text, address);
    fflush(stdout);

    Display* display = XOpenDisplay(NULL);
    Window window = 0;
    if (display) {
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 480, 320, 0,
                                     BlackPixel(display, DefaultScreen(display)),
                                     WhitePixel(display, DefaultScreen(display)));
        XStoreName(display, window, "C host");
        XMapWindow(display, window);
        XFlush(display);
    }
    printf("window: %lu\n", (unsigned long)window);
    fflush(stdout);

    execute((HostWindowHandle)window, OnHostCommand);
    shutdown(0);
    printf("received: %d\n", receivedCount);

    if (display) {
        XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
    dlclose(library);
    free(frames[0].pixels);
    free(frames[1].pixels);
    return failed ? 1 : 0;
}
