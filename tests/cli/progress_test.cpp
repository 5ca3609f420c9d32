// The progress bar appears on a terminal only, and --quiet turns it off.

#include <nlohmann/json.hpp>

#include "cli_fixture.h"

namespace kavrell::cli::test {
namespace {

class ProgressTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        WriteImage("src.png", GradientImage(40, 30));
        nlohmann::json project = MeshProjectJson(40, 30, 1, 1);
        project["frames"] = 4;
        WriteProject("p.json", project);
    }
};

TEST_F(ProgressTest, DrawsOnATerminalUpToOneHundredPercent) {
    const RunResult run = RunMorphOnTerminal({"-p", "p.json", "src.png", "-o", "out.gif"}, Path(""));
    ASSERT_EQ(run.status, 0) << run.err;
    // 4 warp-only frames advance the gauge by 25 each.
    for (const char* reading : {"  0%", " 25%", " 50%", " 75%", "100%"}) {
        EXPECT_NE(run.err.find(std::string("] ") + reading), std::string::npos)
            << reading << " in " << run.err;
    }
    EXPECT_NE(run.err.find("\rkavrell-morph: generating ["), std::string::npos);
    EXPECT_EQ(run.err.back(), '\n');
}

TEST_F(ProgressTest, QuietOnATerminalAndSilentElsewhere) {
    EXPECT_EQ(RunMorphOnTerminal({"-p", "p.json", "src.png", "-q", "-o", "a.gif"}, Path("")).err, "");
    EXPECT_EQ(RunMorphOnTerminal({"-p", "p.json", "src.png", "--quiet", "-o", "b.gif"}, Path("")).err, "");
    EXPECT_EQ(Run({"-p", "p.json", "src.png", "-o", "c.gif"}).err, "");
}

}  // namespace
}  // namespace kavrell::cli::test
