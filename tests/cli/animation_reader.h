#pragma once

#include <QImage>
#include <string>
#include <vector>

namespace kavrell::cli::test {

// An output of kavrell-morph decoded again: its frames in order, as 24-bit
// images, with their display times (none for a PNG directory).
struct Animation {
    int width = 0;
    int height = 0;
    std::vector<QImage> frames;
    std::vector<int> delaysMs;
};

// Decodes with giflib, every frame drawn onto the canvas as a player would.
Animation ReadGif(const std::string& path);

// Decodes with libwebp's animation decoder.
Animation ReadWebP(const std::string& path);

// Reads frame_000.png, frame_001.png, ... in order; the directory must hold
// nothing else.
Animation ReadPngDirectory(const std::string& path);

// Reads whichever of the three path names, by its ending.
Animation ReadAnimation(const std::string& path);

}  // namespace kavrell::cli::test
