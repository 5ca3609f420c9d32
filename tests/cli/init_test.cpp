// kavrell-morph init: the editor's regular mesh as a project file.

#include <nlohmann/json.hpp>
#include <string>

#include "animation_reader.h"
#include "cli_fixture.h"

namespace kavrell::cli::test {
namespace {

using nlohmann::json;

class InitTest : public CliTest {};

// "Create mesh" with 10 x 10 points on 640 x 480: steps ceil(640 / 11) = 59
// and ceil(480 / 11) = 44 from the top-left corner, the right border column
// on x = 639 and the bottom border row on y = 479.
TEST_F(InitTest, LaysTheEditorsLatticeOverTheSource) {
    WriteImage("src.png", GradientImage(640, 480));
    const RunResult run = Run({"init", "--mesh", "10x10", "-o", "p.json", "src.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");

    const json project = json::parse(ReadText("p.json"));
    EXPECT_EQ(project["method"], "mesh");
    EXPECT_EQ(project["frames"], 12);
    EXPECT_EQ(project["delay"], 10);
    EXPECT_EQ(project["interpolation"], "linear");
    const json& mesh = project["mesh"];
    EXPECT_EQ(mesh["cols"], 10);
    EXPECT_EQ(mesh["rows"], 10);
    EXPECT_EQ(mesh["dst"], mesh["src"]);
    const json& src = mesh["src"];
    ASSERT_EQ(src.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        ASSERT_EQ(src[i].size(), 12u);
        for (int j = 0; j < 12; ++j) {
            const int x = i == 11 ? 639 : 59 * i;
            const int y = j == 11 ? 479 : 44 * j;
            EXPECT_EQ(src[i][j], json({x, y})) << "node [" << i << "][" << j << "]";
        }
    }
}

TEST_F(InitTest, WithoutOutputPrintsTheProject) {
    WriteImage("src.png", GradientImage(100, 100));
    const RunResult run = Run({"init", "--mesh", "1X1", "src.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    const json project = json::parse(run.out);
    EXPECT_EQ(project["mesh"]["src"],
              json::parse("[[[0, 0], [0, 50], [0, 99]], [[50, 0], [50, 50], [50, 99]],"
                          " [[99, 0], [99, 50], [99, 99]]]"));
}

// The morph command checks a project's border against its own copy of the
// lattice; it must agree with "Create mesh" on every size, also where the
// last interior columns stand past the right border (100 columns on 640
// pixels: step 7, columns 92 to 100 at x = 644 to 700).
TEST_F(InitTest, ItsProjectsAreAcceptedByTheMorphCommand) {
    const struct {
        int width, height, cols, rows;
    } cases[] = {{640, 480, 100, 100}, {640, 480, 40, 1}, {101, 37, 7, 3}, {1, 1, 1, 1}, {3, 200, 100, 2}};
    for (const auto& c : cases) {
        const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) + "-" +
                                 std::to_string(c.cols) + "x" + std::to_string(c.rows);
        SCOPED_TRACE(name);
        WriteImage(name + ".png", GradientImage(c.width, c.height));
        const std::string mesh = std::to_string(c.cols) + "x" + std::to_string(c.rows);
        ASSERT_EQ(Run({"init", "--mesh", mesh, "-o", name + ".json", name + ".png"}).status, 0);
        if (c.cols == 100 && c.width == 640) {
            EXPECT_EQ(json::parse(ReadText(name + ".json"))["mesh"]["src"][100][1], json({700, 5}));
        }
        // One frame per image and no in-between frame: the check alone runs.
        const RunResult run =
            Run({"-p", name + ".json", name + ".png", name + ".png", "--frames", "1", "-o", name + ".gif"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadGif(Path(name + ".gif")).frames.size(), 2u);
    }
}

}  // namespace
}  // namespace kavrell::cli::test
