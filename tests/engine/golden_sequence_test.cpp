// Golden sequences: fixed images and control points through the sequence
// driver, every frame reduced to a hash and compared with hashes recorded
// from the engine. Any change to the warp numerics, intended or not, shows
// here; the same hashes must come out on any thread count and in every build
// type.
#include <gtest/gtest.h>

#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "engine/parallel_bands.h"
#include "platform/bitmap.h"
#include "support/generation_session.h"
#include "support/recording_dialog.h"
#include "support/warp_records.h"

namespace kavrell {
namespace {

constexpr int32_t kWidth = 45;  // 135 bytes a row: the rows carry padding
constexpr int32_t kHeight = 34;
constexpr int32_t kFrames = 5;

// FNV-1a, 64 bits, over the pixel rows from the top, padding left out.
uint64_t FrameHash(const Bitmap& frame) {
    uint64_t hash = 14695981039346656037ull;
    for (int32_t y = 0; y < frame.Height(); ++y) {
        const uint8_t* row = frame.ScanLine(y);
        for (int32_t b = 0; b < 3 * frame.Width(); ++b) {
            hash ^= row[b];
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

// Two images with detail everywhere, made with integer arithmetic only.
Bitmap SourceImage() {
    Bitmap image(kWidth, kHeight);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            uint8_t* pixel = image.Pixel(x, y);
            pixel[0] = static_cast<uint8_t>(x * 5 + y);
            pixel[1] = static_cast<uint8_t>(y * 7);
            pixel[2] = static_cast<uint8_t>(((x + y) / 4) % 2 == 0 ? 230 : 20);
        }
    }
    return image;
}

Bitmap DestinationImage() {
    Bitmap image(kWidth, kHeight);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const int32_t dx = x - 22;
            const int32_t dy = y - 17;
            uint8_t* pixel = image.Pixel(x, y);
            pixel[0] = static_cast<uint8_t>((dx * dx + dy * dy) % 256);
            pixel[1] = static_cast<uint8_t>(255 - x * 4);
            pixel[2] = static_cast<uint8_t>(x * y % 256);
        }
    }
    return image;
}

struct GoldenCase {
    const char* name;
    WarpMethod method;
    bool linear;
    bool warpOnly;
    bool preview;
    std::vector<uint64_t> hashes;  // one per frame, in frame order
};

// A 2 x 3 mesh whose interior nodes move in both images.
void PlaceMesh(WarpObjStru& warp) {
    test::LayRegularMesh(warp, kWidth, kHeight, 2, 3);
    warp.srcNodes[1][1] = {12, 10};
    warp.srcNodes[2][2] = {33, 18};
    warp.dstNodes[1][1] = {18, 6};
    warp.dstNodes[1][2] = {10, 19};
    warp.dstNodes[2][1] = {27, 11};
    warp.dstNodes[2][3] = {36, 29};
}

// Two polylines, three points and two, separated by a break.
void PlaceFieldLines(WarpObjStru& warp) {
    test::AddPointPair(warp, {5, 5}, {8, 3});
    test::AddPointPair(warp, {20, 10}, {24, 14});
    test::AddPointPair(warp, {30, 25}, {27, 30});
    test::AddLineBreak(warp);
    test::AddPointPair(warp, {40, 5}, {37, 8});
    test::AddPointPair(warp, {35, 30}, {41, 28});
}

std::string Hex(uint64_t value) {
    std::ostringstream text;
    text << "0x" << std::hex << std::setw(16) << std::setfill('0') << value << "ull";
    return text.str();
}

// Recorded from the engine. They change only with an intended change of the
// warp numerics, announced in the commit that changes them.
const std::vector<GoldenCase>& GoldenCases() {
    static const std::vector<GoldenCase> cases = {
        {.name = "mesh linear, full morphing",
         .method = WarpMethod::Mesh,
         .linear = true,
         .warpOnly = false,
         .preview = false,
         .hashes = {0x992670f6cf8e7affull, 0xdf86cbf91d60f859ull, 0x943d2e02ac8da154ull,
                    0xa9c457bd7f419a0full, 0x22bdfc85d227fd12ull}},
        {.name = "mesh Catmull-Rom, full morphing",
         .method = WarpMethod::Mesh,
         .linear = false,
         .warpOnly = false,
         .preview = false,
         .hashes = {0x992670f6cf8e7affull, 0x4a1934205472689dull, 0xa6243c2f5ccb843aull,
                    0xa20c2ed86f391ea5ull, 0x22bdfc85d227fd12ull}},
        {.name = "mesh linear, warp only",
         .method = WarpMethod::Mesh,
         .linear = true,
         .warpOnly = true,
         .preview = false,
         .hashes = {0x992670f6cf8e7affull, 0x915b5cdcebcb18f4ull, 0xeaa2b525237963f6ull,
                    0xd938d58d38caaedcull, 0xe0dff1801b5a1201ull}},
        {.name = "mesh Catmull-Rom, warp only, preview",
         .method = WarpMethod::Mesh,
         .linear = false,
         .warpOnly = true,
         .preview = true,
         .hashes = {0xa26adca4d1847acfull, 0xb2f11a310cd90328ull, 0xf4bf73f1baf2914aull,
                    0xd89cd1d6578deffaull, 0x812b450d6d40faedull}},
        {.name = "mesh linear, full morphing, preview",
         .method = WarpMethod::Mesh,
         .linear = true,
         .warpOnly = false,
         .preview = true,
         .hashes = {0xa26adca4d1847acfull, 0x8811bba868c58c0dull, 0x842b55ded0eb5b23ull,
                    0xd27b11b3f7ed67a6ull, 0x5aba056dcead5fccull}},
        {.name = "field lines, full morphing",
         .method = WarpMethod::Field,
         .linear = true,
         .warpOnly = false,
         .preview = false,
         .hashes = {0x992670f6cf8e7affull, 0x6e9bfc4e0d6a8c35ull, 0xb596cd9e3abb90c0ull,
                    0xd0642884de954853ull, 0x22bdfc85d227fd12ull}},
        {.name = "field lines, warp only",
         .method = WarpMethod::Field,
         .linear = true,
         .warpOnly = true,
         .preview = false,
         .hashes = {0x992670f6cf8e7affull, 0x3dda3674d0f37392ull, 0xa1dbfebb40f87e50ull,
                    0x571ffc335f3af959ull, 0xc6e6c7ac23d9a8c7ull}},
        {.name = "field lines, full morphing, preview",
         .method = WarpMethod::Field,
         .linear = true,
         .warpOnly = false,
         .preview = true,
         .hashes = {0xa26adca4d1847acfull, 0x46f8b2e5c98c4bd5ull, 0x6ffa8ac7a08474dbull,
                    0x89d099f96c5af69eull, 0x5aba056dcead5fccull}},
    };
    return cases;
}

class GoldenSequenceTest : public ::testing::TestWithParam<int32_t> {
protected:
    void TearDown() override { SetWarpThreadCount(0); }
};

TEST_P(GoldenSequenceTest, EveryFrameMatchesItsRecordedHash) {
    SetWarpThreadCount(GetParam());
    test::RecordingDialog dialog;
    for (const GoldenCase& golden : GoldenCases()) {
        SCOPED_TRACE(golden.name);
        test::GenerationSession run(SourceImage(), DestinationImage(), golden.warpOnly);
        WarpObjStru& warp = run.Warp();
        warp.method = golden.method;
        if (golden.method == WarpMethod::Mesh) {
            PlaceMesh(warp);
        } else {
            PlaceFieldLines(warp);
        }
        warp.linear = golden.linear;
        ASSERT_TRUE(run.Generate(kFrames, 10, golden.preview));

        std::vector<uint64_t> hashes;
        std::string listing;
        for (int32_t k = 0; k < run.frames.Count(); ++k) {
            hashes.push_back(FrameHash(run.frames.Frame(k)));
            listing += Hex(hashes.back()) + ", ";
        }
        EXPECT_EQ(hashes, golden.hashes) << "frames now hash to {" << listing << "}";
    }
    EXPECT_TRUE(dialog.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(ThreadCounts, GoldenSequenceTest, ::testing::Values(1, 2, 3, 8));

}  // namespace
}  // namespace kavrell
