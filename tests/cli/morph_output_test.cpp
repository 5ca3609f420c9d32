// kavrell-morph in both modes and to all three outputs, decoded again.

#include <QColor>
#include <QImage>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "animation_reader.h"
#include "cli_fixture.h"

namespace kavrell::cli::test {
namespace {

using nlohmann::json;

// The largest channel difference between pixel (x, y) of image and colour.
int Distance(const QImage& image, int x, int y, QColor colour) {
    const QColor pixel = image.pixelColor(x, y);
    return std::max({std::abs(pixel.red() - colour.red()), std::abs(pixel.green() - colour.green()),
                     std::abs(pixel.blue() - colour.blue())});
}

bool SameImage(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_RGB888) == b.convertToFormat(QImage::Format_RGB888);
}

struct OutputCase {
    const char* output;
    int tolerance;  // per channel: GIF palettes are not exact
    bool hasDelays;
};

class OutputTest : public CliTest, public ::testing::WithParamInterface<OutputCase> {};

// Solid images stay solid under any warp, so every in-between frame is the
// plain cross-dissolve of the two colours: 5 frames put them at t = 1/4,
// 2/4, 3/4 with 75, 50 and 25 percent of the source.
TEST_P(OutputTest, FullMorphWritesEveryFrameWithItsBlendAndDisplayTime) {
    const OutputCase& param = GetParam();
    const QColor from(200, 40, 0), to(0, 120, 240);
    WriteImage("src.png", SolidImage(64, 48, from));
    WriteImage("dst.png", SolidImage(64, 48, to));
    json project = MeshProjectJson(64, 48, 2, 2);
    project["mesh"]["dst"][1][1] = {27, 20};
    project["frames"] = 5;
    project["delay"] = 7;
    WriteProject("p.json", project);

    const RunResult run = Run({"-p", "p.json", "src.png", "dst.png", "-o", param.output, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(json::parse(run.out), json::parse(R"({"frames": 5, "width": 64, "height": 48, "delay_ms": 70,
                                                    "mode": "full", "completed": true})"));

    const Animation animation = ReadAnimation(Path(param.output));
    EXPECT_EQ(animation.width, 64);
    EXPECT_EQ(animation.height, 48);
    const std::vector<QColor> expected = {from, QColor(150, 60, 60), QColor(100, 80, 120),
                                          QColor(50, 100, 180), to};
    ASSERT_EQ(animation.frames.size(), expected.size());
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_LE(Distance(animation.frames[k], 32, 24, expected[k]), param.tolerance) << "frame " << k;
    }
    if (param.hasDelays) {
        EXPECT_EQ(animation.delaysMs, std::vector<int>(5, 70));
    }

    // Only the output appeared: no temporary is left beside it.
    for (const std::string& entry : Entries()) {
        EXPECT_TRUE(entry == "src.png" || entry == "dst.png" || entry == "p.json" ||
                    entry.rfind(param.output, 0) == 0)
            << entry;
    }
}

INSTANTIATE_TEST_SUITE_P(AllOutputs, OutputTest,
                         ::testing::Values(OutputCase{"morph.gif", 8, true},
                                           OutputCase{"morph.webp", 0, true}, OutputCase{"frames", 0, false}),
                         [](const auto& info) {
                             return std::string(info.param.output).find(".gif") != std::string::npos ? "Gif"
                                    : std::string(info.param.output).find(".webp") != std::string::npos
                                        ? "WebP"
                                        : "PngDirectory";
                         });

class MorphOutputTest : public CliTest {};

TEST_F(MorphOutputTest, FirstAndLastFramesAreTheImagesThemselves) {
    const QImage source = GradientImage(50, 30);
    const QImage destination = GradientImage(50, 30).mirrored(true, false);
    WriteImage("src.png", source);
    WriteImage("dst.png", destination);
    json project = MeshProjectJson(50, 30, 1, 1);
    project["mesh"]["dst"][1][1] = {30, 12};
    WriteProject("p.json", project);

    const RunResult run = Run({"-p", "p.json", "src.png", "dst.png", "-o", "out"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Animation animation = ReadPngDirectory(Path("out"));
    ASSERT_EQ(animation.frames.size(), 12u);  // the project's default
    EXPECT_TRUE(SameImage(animation.frames.front(), source));
    EXPECT_TRUE(SameImage(animation.frames.back(), destination));
}

TEST_F(MorphOutputTest, WarpOnlyWarpsTheSourceAloneFrameByFrame) {
    const QImage source = GradientImage(60, 40);
    WriteImage("src.png", source);
    json project = MeshProjectJson(60, 40, 1, 1);
    project["mesh"]["dst"][1][1] = {42, 28};
    project["frames"] = 4;
    WriteProject("p.json", project);

    const RunResult run = Run({"-p", "p.json", "src.png", "-o", "out.webp", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const json summary = json::parse(run.out);
    EXPECT_EQ(summary["mode"], "warp-only");
    EXPECT_EQ(summary["frames"], 4);

    // The source, then three frames warped a quarter, a half and three
    // quarters of the way; no destination frame follows.
    const Animation animation = ReadWebP(Path("out.webp"));
    ASSERT_EQ(animation.frames.size(), 4u);
    EXPECT_TRUE(SameImage(animation.frames[0], source));
    for (size_t k = 1; k < 4; ++k) {
        EXPECT_FALSE(SameImage(animation.frames[k], animation.frames[k - 1])) << "frame " << k;
    }
}

TEST_F(MorphOutputTest, DefaultOutputIsMorphGifInTheCurrentDirectory) {
    WriteImage("src.png", GradientImage(40, 30));
    json project = MeshProjectJson(40, 30, 2, 1);
    project["frames"] = 3;
    project["delay"] = 25;
    WriteProject("p.json", project);

    const RunResult run = Run({"-p", "p.json", "src.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const Animation animation = ReadGif(Path("morph.gif"));
    EXPECT_EQ(animation.frames.size(), 3u);
    EXPECT_EQ(animation.delaysMs, std::vector<int>(3, 250));
}

TEST_F(MorphOutputTest, OptionsMayBeWrittenInTheUsualWays) {
    WriteImage("src.png", GradientImage(24, 16));
    WriteImage("-dash.png", GradientImage(24, 16));
    json project = MeshProjectJson(24, 16, 1, 1);
    project["frames"] = 2;
    WriteProject("p.json", project);
    const std::vector<std::vector<std::string>> lines = {
        {"-qp", "p.json", "--output=a.gif", "src.png"},
        {"src.png", "-ob.gif", "--project=p.json", "--frames=3"},
        {"--project", "p.json", "-o", "c.gif", "--", "-dash.png"},
    };
    for (const auto& args : lines) {
        const RunResult run = Run(args);
        EXPECT_EQ(run.status, 0) << ::testing::PrintToString(args) << ": " << run.err;
    }
    EXPECT_EQ(ReadGif(Path("a.gif")).frames.size(), 2u);
    EXPECT_EQ(ReadGif(Path("b.gif")).frames.size(), 3u);
    EXPECT_EQ(ReadGif(Path("c.gif")).frames.size(), 2u);
}

struct FrameCountCase {
    bool full;
    int frames;
    size_t written;
};

// Full morphing: the source, frames - 2 in-between frames and the
// destination, but never fewer than both images. Warp-only: the source and
// frames - 1 warped frames, never fewer than the source.
TEST_F(MorphOutputTest, FrameCountFollowsTheScheduleAndOverridesTheProject) {
    WriteImage("src.png", SolidImage(32, 24, QColor(10, 20, 30)));
    WriteImage("dst.png", SolidImage(32, 24, QColor(90, 80, 70)));
    json project = MeshProjectJson(32, 24, 1, 1);
    project["frames"] = 5;
    WriteProject("p.json", project);
    const FrameCountCase cases[] = {{true, 0, 2},    {true, 1, 2},    {true, 2, 2},  {true, 3, 3},
                                    {true, 12, 12},  {false, 0, 1},   {false, 1, 1}, {false, 2, 2},
                                    {false, 12, 12}, {true, 100, 100}};
    int run = 0;
    for (const FrameCountCase& c : cases) {
        const std::string out = "out" + std::to_string(run++);
        std::vector<std::string> args = {"-p", "p.json", "src.png", "--frames", std::to_string(c.frames),
                                         "-o", out,      "--json"};
        if (c.full) args.insert(args.begin() + 3, "dst.png");
        const RunResult result = Run(args);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(json::parse(result.out)["frames"], c.written)
            << (c.full ? "full " : "warp-only ") << c.frames;
        EXPECT_EQ(ReadPngDirectory(Path(out)).frames.size(), c.written)
            << (c.full ? "full " : "warp-only ") << c.frames;
    }
}

TEST_F(MorphOutputTest, DelayComesFromTheProjectUnlessOverridden) {
    WriteImage("src.png", GradientImage(32, 24));
    json project = MeshProjectJson(32, 24, 1, 1);
    project["frames"] = 3;
    project["delay"] = 3;
    WriteProject("p.json", project);
    ASSERT_EQ(Run({"-p", "p.json", "src.png", "-o", "project.gif"}).status, 0);
    ASSERT_EQ(Run({"-p", "p.json", "src.png", "-o", "zero.gif", "--delay", "0"}).status, 0);
    ASSERT_EQ(Run({"-p", "p.json", "src.png", "-o", "most.gif", "--delay=100"}).status, 0);
    EXPECT_EQ(ReadGif(Path("project.gif")).delaysMs, std::vector<int>(3, 30));
    EXPECT_EQ(ReadGif(Path("zero.gif")).delaysMs, std::vector<int>(3, 0));
    EXPECT_EQ(ReadGif(Path("most.gif")).delaysMs, std::vector<int>(3, 1000));
}

struct PreviewCase {
    int width, height;
    int workWidth, workHeight;
};

// The larger side becomes 200 pixels, rounded up, enlarging small images;
// 151 x (200 / 151) comes out just above 200 and so gives 201.
TEST_F(MorphOutputTest, PreviewWorksOnTheTwoHundredPixelCopies) {
    const PreviewCase cases[] = {
        {400, 300, 200, 150}, {100, 50, 200, 100}, {151, 100, 201, 133}, {50, 151, 67, 201}};
    for (const PreviewCase& c : cases) {
        const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
        WriteImage(size + ".png", GradientImage(c.width, c.height));
        json project = MeshProjectJson(c.width, c.height, 2, 2);
        project["frames"] = 3;
        WriteProject(size + ".json", project);
        const RunResult run = Run({"-p", size + ".json", size + ".png", size + ".png", "--preview", "-o",
                                   size + ".webp", "--json"});
        ASSERT_EQ(run.status, 0) << size << ": " << run.err;
        const json summary = json::parse(run.out);
        EXPECT_EQ(summary["width"], c.workWidth) << size;
        EXPECT_EQ(summary["height"], c.workHeight) << size;
        const Animation animation = ReadWebP(Path(size + ".webp"));
        EXPECT_EQ(animation.width, c.workWidth) << size;
        EXPECT_EQ(animation.height, c.workHeight) << size;
    }
}

TEST_F(MorphOutputTest, DestinationOfAnotherSizeIsResampledToTheSourceSize) {
    const QColor to(30, 200, 90);
    WriteImage("src.png", SolidImage(64, 48, QColor(200, 40, 0)));
    WriteImage("small.png", SolidImage(21, 13, to));
    WriteProject("p.json", MeshProjectJson(64, 48, 2, 2));

    const RunResult run = Run({"-p", "p.json", "src.png", "small.png", "-o", "out", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(json::parse(run.out)["width"], 64);
    const Animation animation = ReadPngDirectory(Path("out"));
    ASSERT_FALSE(animation.frames.empty());
    EXPECT_EQ(animation.frames.back().size(), QSize(64, 48));
    EXPECT_EQ(Distance(animation.frames.back(), 63, 47, to), 0);
}

TEST_F(MorphOutputTest, FieldMethodBlendsAlongTheSameSchedule) {
    const QColor from(0, 100, 200), to(200, 100, 0);
    WriteImage("src.png", SolidImage(48, 32, from));
    WriteImage("dst.png", SolidImage(48, 32, to));
    const json project = json::parse(R"({
        "method": "field", "frames": 3,
        "field": {"src": [[5, 5], [40, 8], null, [10, 25], [30, 28]],
                  "dst": [[7, 6], [38, 9], null, [12, 24], [30, 26]]}})");
    WriteProject("p.json", project);

    const RunResult run = Run({"-p", "p.json", "src.png", "dst.png", "-o", "out.webp"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Animation animation = ReadWebP(Path("out.webp"));
    ASSERT_EQ(animation.frames.size(), 3u);
    EXPECT_EQ(Distance(animation.frames[1], 24, 16, QColor(100, 100, 100)), 0);
}

// The editor stops adding points at 1000 slots; a file may fill them all.
TEST_F(MorphOutputTest, AThousandFieldSlotsAreDrawnInFull) {
    WriteImage("src.png", GradientImage(64, 48));
    json project = {{"method", "field"}, {"frames", 1}, {"field", {{"src", json::array()}}}};
    for (int k = 0; k < 1000; ++k) {
        const bool isBreak = k % 10 == 9 && k < 990;
        project["field"]["src"].push_back(isBreak ? json(nullptr) : json({k % 64, (k / 64) % 48}));
    }
    WriteProject("p.json", project);
    const RunResult run = Run({"-p", "p.json", "src.png", "-o", "out.gif", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(json::parse(run.out)["frames"], 1);
}

TEST_F(MorphOutputTest, InterpolationChoiceReachesTheMeshWarp) {
    WriteImage("src.png", GradientImage(64, 48));
    json project = MeshProjectJson(64, 48, 3, 3);
    project["mesh"]["dst"][2][2] = {40, 30};
    project["frames"] = 3;
    WriteProject("linear.json", project);
    project["interpolation"] = "catmull-rom";
    WriteProject("smooth.json", project);
    ASSERT_EQ(Run({"-p", "linear.json", "src.png", "-o", "linear"}).status, 0);
    ASSERT_EQ(Run({"-p", "smooth.json", "src.png", "-o", "smooth"}).status, 0);
    const Animation linear = ReadPngDirectory(Path("linear"));
    const Animation smooth = ReadPngDirectory(Path("smooth"));
    ASSERT_EQ(linear.frames.size(), 3u);
    ASSERT_EQ(smooth.frames.size(), 3u);
    EXPECT_TRUE(SameImage(linear.frames[0], smooth.frames[0]));
    EXPECT_FALSE(SameImage(linear.frames[1], smooth.frames[1]));
}

struct SourceFormatCase {
    const char* name;
    bool exact;
};

// BMP keeps every pixel, JPEG only the size; a GIF gives its first frame.
TEST_F(MorphOutputTest, ReadsBmpJpegAndTheFirstFrameOfAGif) {
    const QImage picture = GradientImage(40, 30);
    WriteProject("p.json", MeshProjectJson(40, 30, 1, 1));
    WriteImage("picture.bmp", picture);
    WriteImage("picture.jpg", picture);
    // An animated GIF of our own making: its first frame is the picture as
    // giflib decodes it.
    WriteImage("picture.png", picture);
    WriteImage("other.png", GradientImage(40, 30).mirrored(true, true));
    ASSERT_EQ(Run({"-p", "p.json", "picture.png", "other.png", "--frames", "3", "-o", "picture.gif"}).status,
              0);
    const QImage gifFirstFrame = ReadGif(Path("picture.gif")).frames.at(0);

    for (const auto& [name, expected] : {std::pair<std::string, const QImage*>{"picture.bmp", &picture},
                                         {"picture.jpg", nullptr},
                                         {"picture.gif", &gifFirstFrame}}) {
        const std::string out = name + ".frames";
        const RunResult run = Run({"-p", "p.json", name, "--frames", "1", "-o", out});
        ASSERT_EQ(run.status, 0) << name << ": " << run.err;
        const Animation animation = ReadPngDirectory(Path(out));
        ASSERT_EQ(animation.frames.size(), 1u) << name;
        EXPECT_EQ(animation.frames[0].size(), QSize(40, 30)) << name;
        if (expected) {
            EXPECT_TRUE(SameImage(animation.frames[0], *expected)) << name;
        }
    }
}

TEST_F(MorphOutputTest, TransparentPixelsAreLaidOverWhite) {
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 255, 255));
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(255, 0, 0, 128));
    WriteImage("alpha.png", image);
    WriteProject("p.json", MeshProjectJson(8, 8, 1, 1));
    ASSERT_EQ(Run({"-p", "p.json", "alpha.png", "--frames", "1", "-o", "out"}).status, 0);
    const QImage frame = ReadPngDirectory(Path("out")).frames.at(0);
    EXPECT_EQ(frame.pixelColor(0, 0), QColor(255, 255, 255));
    EXPECT_EQ(frame.pixelColor(1, 0), QColor(255, 127, 127));
    EXPECT_EQ(frame.pixelColor(2, 0), QColor(0, 0, 255));
}

TEST_F(MorphOutputTest, ExistingOutputDirectoryReceivesTheFramesBesideItsOtherFiles) {
    WriteImage("src.png", GradientImage(32, 24));
    json project = MeshProjectJson(32, 24, 1, 1);
    project["frames"] = 2;
    WriteProject("p.json", project);
    ASSERT_EQ(Run({"-p", "p.json", "src.png", "-o", "out/"}).status, 0);
    WriteText("out/notes.txt", "mine");
    ASSERT_EQ(Run({"-p", "p.json", "src.png", "-o", "out", "--frames", "3"}).status, 0);
    EXPECT_EQ(ReadText("out/notes.txt"), "mine");
    const std::set<std::string> expected = {
        "src.png",           "p.json",           "out", "out/notes.txt", "out/frame_000.png",
        "out/frame_001.png", "out/frame_002.png"};
    EXPECT_EQ(Entries(), expected);
}

}  // namespace
}  // namespace kavrell::cli::test
