#pragma once

#include <cstdint>
#include <functional>

namespace kavrell {

// Progress from 0 to 100. Every change is announced at once, so that a window
// can repaint while a long run keeps the event loop busy.
class ProgressGauge {
public:
    using Listener = std::function<void(int32_t progress)>;

    int32_t Progress() const { return progress_; }

    // Values outside 0..100 are clamped; the listener hears every set value.
    void SetProgress(int32_t value);
    void Advance(int32_t amount) { SetProgress(progress_ + amount); }

    void SetListener(Listener listener) { listener_ = std::move(listener); }

private:
    int32_t progress_ = 0;
    Listener listener_;
};

}  // namespace kavrell
