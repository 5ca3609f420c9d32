// One field warp of a full HD frame with 20 line pairs, the size of a
// full-size run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/field_warp.h"
#include "platform/bitmap.h"

namespace kavrell {
namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
constexpr int32_t kPairs = 20;

Bitmap PatternBitmap() {
    Bitmap bitmap(kWidth, kHeight);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            uint8_t* pixel = bitmap.Pixel(x, y);
            pixel[0] = static_cast<uint8_t>(x);
            pixel[1] = static_cast<uint8_t>(y);
            pixel[2] = static_cast<uint8_t>(x ^ y);
        }
    }
    return bitmap;
}

// Lines spread over the frame in several directions; each destination line is
// its source line moved and turned a little, as a user's would be.
void MakeLines(std::vector<WarpLine>& from, std::vector<WarpLine>& to) {
    for (int32_t n = 0; n < kPairs; ++n) {
        const int32_t x = 60 + (n % 5) * 380;
        const int32_t y = 80 + (n / 5) * 260;
        const int32_t dx = 120 + 10 * n;
        const int32_t dy = (n % 2 == 0 ? 1 : -1) * (40 + 5 * n);
        from.push_back(MakeWarpLine(x, y, x + dx, y + dy));
        to.push_back(MakeWarpLine(x + 15, y - 10, x + dx - 5, y + dy + 20));
    }
}

void BM_FieldWarpImage(benchmark::State& state) {
    const Bitmap image = PatternBitmap();
    Bitmap output(kWidth, kHeight);
    std::vector<WarpLine> from;
    std::vector<WarpLine> to;
    MakeLines(from, to);
    for (auto _ : state) {
        FieldWarpImage(image.LastRow(), output.LastRow(), from.data(), 0.4, kWidth, kHeight, kPairs,
                       to.data(), image.RowStride());
        benchmark::DoNotOptimize(output.LastRow());
        benchmark::ClobberMemory();
    }
    const double evaluations = static_cast<double>(kWidth) * kHeight * kPairs;
    state.counters["pair_evals_per_s"] =
        benchmark::Counter(evaluations, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pixels_per_s"] = benchmark::Counter(static_cast<double>(kWidth) * kHeight,
                                                        benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FieldWarpImage)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kavrell
