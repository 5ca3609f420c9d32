#include "cli/progress_bar.h"

#include <algorithm>
#include <string>

namespace kavrell::cli {

namespace {
constexpr int32_t kBarWidth = 40;
}

void ProgressBar::Show(int32_t progress) {
    if (!enabled_) return;
    progress = std::clamp(progress, 0, 100);
    if (progress == shown_) return;
    shown_ = progress;
    const int32_t filled = progress * kBarWidth / 100;
    const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                            std::string(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(out_, "\rkavrell-morph: generating [%s] %3d%%", bar.c_str(), progress);
    std::fflush(out_);
    drawn_ = true;
}

void ProgressBar::Finish() {
    if (!drawn_) return;
    std::fputc('\n', out_);
    std::fflush(out_);
    drawn_ = false;
    shown_ = -1;
}

}  // namespace kavrell::cli
