#pragma once

#include <cstdint>
#include <cstdio>

namespace kavrell::cli {

// A one-line progress bar that redraws itself in place, for the gauge's
// listener. Disabled, it prints nothing.
class ProgressBar {
public:
    ProgressBar(std::FILE* out, bool enabled) : out_(out), enabled_(enabled) {}
    ~ProgressBar() { Finish(); }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // Draws the bar at progress (0 to 100); a repeated value draws nothing.
    void Show(int32_t progress);

    // Ends the bar's line, so that what follows starts on a line of its own.
    void Finish();

private:
    std::FILE* out_;
    bool enabled_;
    bool drawn_ = false;
    int32_t shown_ = -1;
};

}  // namespace kavrell::cli
