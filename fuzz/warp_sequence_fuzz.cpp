// libFuzzer target for the two warps through the editor model and the
// sequence driver. An input becomes two small images, a record with a mesh or
// field polylines whose coordinates range from ordinary to extreme, with
// coinciding points among them, and the settings of one generation: frame
// count, delay, interpolation, preview, warp-only mode and thread count.
// Whatever the record, a run may fail with message 0 but never reads or
// writes outside an image or a table (the sanitizers watch), and every frame
// it makes has the working size.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "engine/parallel_bands.h"
#include "morph/editor_model.h"
#include "morph/mesh_lattice.h"

namespace {

using namespace kavrell;

constexpr int32_t kLargestSide = 24;
constexpr int32_t kMaxMeshLines = 6;
constexpr int32_t kMaxFieldSlots = 14;
constexpr int32_t kMaxFrames = 6;

void Require(bool condition) {
    if (!condition) std::abort();
}

Bitmap ReadImage(FuzzedDataProvider& in) {
    const int32_t width = in.ConsumeIntegralInRange<int32_t>(1, kLargestSide);
    const int32_t height = in.ConsumeIntegralInRange<int32_t>(1, kLargestSide);
    Bitmap image(width, height);
    const uint8_t shade = in.ConsumeIntegral<uint8_t>();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < 3 * width; ++x)
            image.ScanLine(y)[x] = static_cast<uint8_t>(shade + x * 7 + y * 13);
    }
    return image;
}

// One coordinate: near the image, at an extreme, or equal to one taken before.
int32_t ReadCoordinate(FuzzedDataProvider& in, int32_t side, std::vector<int32_t>& taken) {
    static constexpr int32_t kExtremes[] = {std::numeric_limits<int32_t>::min(),
                                            std::numeric_limits<int32_t>::max(),
                                            -EmptySlot,
                                            EmptySlot - 1,
                                            EmptySlot,
                                            1 << 30,
                                            -(1 << 30),
                                            0,
                                            -1};
    int32_t value = 0;
    switch (in.ConsumeIntegralInRange<int32_t>(0, 3)) {
    case 0:
        value = in.PickValueInArray(kExtremes);
        break;
    case 1:
        value = taken.empty() ? 0 : taken[in.ConsumeIntegralInRange<size_t>(0, taken.size() - 1)];
        break;
    default:
        value = in.ConsumeIntegralInRange<int32_t>(-2 * side, 3 * side);
        break;
    }
    taken.push_back(value);
    return value;
}

Point32 ReadPoint(FuzzedDataProvider& in, const Bitmap& image, std::vector<int32_t>& taken) {
    const int32_t x = ReadCoordinate(in, image.Width(), taken);
    return {x, ReadCoordinate(in, image.Height(), taken)};
}

// A mesh laid as the editor lays it, then any node moved, the border
// included, which the editor never moves but the record allows.
void PlaceMesh(FuzzedDataProvider& in, const Bitmap& image, WarpObjStru& warp) {
    const int32_t cols = in.ConsumeIntegralInRange<int32_t>(1, kMaxMeshLines);
    const int32_t rows = in.ConsumeIntegralInRange<int32_t>(1, kMaxMeshLines);
    warp.meshCols = cols;
    warp.meshRows = rows;
    std::vector<int32_t> taken;
    for (int32_t i = 0; i <= cols + 1; ++i) {
        for (int32_t j = 0; j <= rows + 1; ++j) {
            const Point32 node = LatticeNode(image.Width(), image.Height(), cols, rows, i, j);
            const bool border = IsBorderNode(i, j, cols, rows);
            warp.srcNodes[i][j] =
                in.ConsumeProbability<float>() < (border ? 0.1f : 0.5f) ? ReadPoint(in, image, taken) : node;
            warp.dstNodes[i][j] =
                in.ConsumeProbability<float>() < (border ? 0.1f : 0.5f) ? ReadPoint(in, image, taken) : node;
        }
    }
}

// Polylines slot by slot; an empty slot now and then makes a break.
void PlaceFieldLines(FuzzedDataProvider& in, const Bitmap& image, WarpObjStru& warp) {
    const int32_t count = in.ConsumeIntegralInRange<int32_t>(1, kMaxFieldSlots);
    std::vector<int32_t> taken;
    for (int32_t k = 0; k < count; ++k) {
        if (in.ConsumeProbability<float>() < 0.15f) continue;  // stays empty
        warp.srcPoints[k] = ReadPoint(in, image, taken);
        warp.dstPoints[k] = ReadPoint(in, image, taken);
    }
    warp.pointCount = count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool warpOnly = in.ConsumeBool();
    const bool preview = in.ConsumeBool();
    const bool field = in.ConsumeBool();
    const Bitmap source = ReadImage(in);
    const Bitmap destination = ReadImage(in);

    EditorModel editor;
    editor.Show(source, warpOnly ? nullptr : &destination);
    editor.CommonButtonsClick(field ? TagField : TagMesh);
    editor.SetFrameCount(in.ConsumeIntegralInRange<int32_t>(0, kMaxFrames));
    editor.SetDelay(in.ConsumeIntegralInRange<int32_t>(MinDelay, MaxDelay));
    editor.SetLinear(in.ConsumeBool());
    SetWarpThreadCount(in.ConsumeIntegralInRange<int32_t>(1, 3));
    WarpObjStru& warp = *editor.Warp();
    if (field) {
        PlaceFieldLines(in, source, warp);
    } else {
        PlaceMesh(in, source, warp);
    }

    editor.Generate(preview);
    const WorkingSet& work = editor.Session().Work;
    const FrameList& frames = editor.Sequence();
    Require(frames.Count() <= kMaxFrames + 2);
    for (int32_t k = 0; k < frames.Count(); ++k) {
        Require(frames.Frame(k).Width() == work.WorkWidth && frames.Frame(k).Height() == work.WorkHeight);
    }
    return 0;
}
