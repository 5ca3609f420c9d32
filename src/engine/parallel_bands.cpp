#include "engine/parallel_bands.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace kavrell {
namespace {

std::atomic<int32_t> requestedThreads{0};

// Below this many lines a band costs more to start than it saves.
constexpr int32_t kMinLinesPerBand = 16;

}  // namespace

void SetWarpThreadCount(int32_t threads) { requestedThreads = std::max(threads, 0); }

int32_t WarpThreadCount() {
    const int32_t requested = requestedThreads;
    if (requested > 0) return requested;
    return std::max(1, static_cast<int32_t>(std::thread::hardware_concurrency()));
}

void ForEachBand(int32_t count, const std::function<void(int32_t begin, int32_t end)>& body) {
    if (count <= 0) return;
    const int32_t bands = std::clamp(count / kMinLinesPerBand, 1, WarpThreadCount());
    if (bands == 1) {
        body(0, count);
        return;
    }
    std::vector<std::exception_ptr> failures(static_cast<size_t>(bands));
    const auto run = [&](int32_t band) {
        const int32_t begin = static_cast<int32_t>(static_cast<int64_t>(count) * band / bands);
        const int32_t end = static_cast<int32_t>(static_cast<int64_t>(count) * (band + 1) / bands);
        try {
            body(begin, end);
        } catch (...) {
            failures[static_cast<size_t>(band)] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> workers;
        workers.reserve(static_cast<size_t>(bands - 1));
        for (int32_t band = 1; band < bands; ++band) workers.emplace_back(run, band);
        run(0);
    }  // the workers join here
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

}  // namespace kavrell
