#include "platform/progress_gauge.h"

#include <algorithm>

namespace kavrell {

void ProgressGauge::SetProgress(int32_t value) {
    progress_ = std::clamp(value, 0, 100);
    if (listener_) listener_(progress_);
}

}  // namespace kavrell
