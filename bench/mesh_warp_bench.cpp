// The two-pass mesh warp at full HD: one image with a 10 x 10 mesh, and a
// whole 12-frame full-size mesh morph through the editor model.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/mesh_warp.h"
#include "morph/editor_model.h"
#include "morph/mesh_lattice.h"
#include "platform/bitmap.h"

namespace kavrell {
namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
constexpr int32_t kMeshLines = 10;

Bitmap PatternBitmap(int32_t shift) {
    Bitmap bitmap(kWidth, kHeight);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            uint8_t* pixel = bitmap.Pixel(x, y);
            pixel[0] = static_cast<uint8_t>(x + shift);
            pixel[1] = static_cast<uint8_t>(y);
            pixel[2] = static_cast<uint8_t>((x ^ y) + shift);
        }
    }
    return bitmap;
}

// The editor's regular lattice.
void FillLattice(MeshNodes& nodes) {
    for (int32_t i = 0; i <= kMeshLines + 1; ++i) {
        for (int32_t j = 0; j <= kMeshLines + 1; ++j) {
            nodes[i][j] = LatticeNode(kWidth, kHeight, kMeshLines, kMeshLines, i, j);
        }
    }
}

// Interior nodes moved by up to a quarter of a cell, as a user's would be.
void MoveInteriorNodes(MeshNodes& nodes) {
    for (int32_t i = 1; i <= kMeshLines; ++i) {
        for (int32_t j = 1; j <= kMeshLines; ++j) {
            nodes[i][j].x += ((i * 7 + j * 3) % 9 - 4) * 10;
            nodes[i][j].y += ((i * 5 + j * 11) % 9 - 4) * 5;
        }
    }
}

void BM_MeshWarpImage(benchmark::State& state) {
    const bool linear = state.range(0) != 0;
    const Bitmap image = PatternBitmap(0);
    Bitmap output(kWidth, kHeight);
    auto warp = NewWarpState(false);
    FillLattice(warp->srcNodes);
    FillLattice(warp->dstNodes);
    MoveInteriorNodes(warp->dstNodes);
    const MeshCoords source = MeshFromNodes(warp->srcNodes, kMeshLines, kMeshLines, 1.0, kWidth, kHeight);
    const MeshCoords target = MeshFromNodes(warp->dstNodes, kMeshLines, kMeshLines, 1.0, kWidth, kHeight);
    for (auto _ : state) {
        MeshWarpImage(image.LastRow(), output.LastRow(), kHeight, kWidth, source, target, linear);
        benchmark::DoNotOptimize(output.LastRow());
        benchmark::ClobberMemory();
    }
    state.SetLabel(linear ? "Linear" : "Catmull-Rom");
    state.counters["pixels_per_s"] = benchmark::Counter(static_cast<double>(kWidth) * kHeight,
                                                        benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_MeshWarpImage)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// 12 frames, full morphing, full size: ten in-between frames of two warps
// and a cross-dissolve each, plus the source and destination frames.
void BM_MeshMorphSequence(benchmark::State& state) {
    const bool linear = state.range(0) != 0;
    const Bitmap source = PatternBitmap(0);
    const Bitmap destination = PatternBitmap(128);
    EditorModel editor;
    editor.Show(source, &destination);
    editor.SetLinear(linear);
    WarpObjStru& warp = *editor.Warp();
    warp.meshCols = kMeshLines;
    warp.meshRows = kMeshLines;
    FillLattice(warp.srcNodes);
    FillLattice(warp.dstNodes);
    MoveInteriorNodes(warp.dstNodes);
    for (auto _ : state) {
        if (editor.Generate(false) != GenerationResult::Completed)
            state.SkipWithError("the mesh morph failed");
        benchmark::DoNotOptimize(editor.Sequence().Count());
    }
    state.SetLabel(linear ? "Linear" : "Catmull-Rom");
}
BENCHMARK(BM_MeshMorphSequence)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kavrell
