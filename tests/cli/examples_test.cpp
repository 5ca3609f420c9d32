// The sample projects render their sample frames.

#include <nlohmann/json.hpp>

#include "animation_reader.h"
#include "cli_fixture.h"

namespace kavrell::cli::test {
namespace {

class ExamplesTest : public CliTest {};

TEST_F(ExamplesTest, BothProjectsRenderTheSampleFrames) {
    const std::string examples = KAVRELL_EXAMPLES_DIR;
    for (const char* project : {"mesh-project.json", "field-project.json"}) {
        SCOPED_TRACE(project);
        const std::string output = std::string(project) + ".gif";
        const RunResult run = Run({"-p", examples + "/" + project, examples + "/frame_a.png",
                                   examples + "/frame_b.png", "-o", output, "--json"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(nlohmann::json::parse(run.out)["completed"], true);
        const Animation animation = ReadGif(Path(output));
        EXPECT_EQ(animation.width, 320);
        EXPECT_EQ(animation.height, 240);
        EXPECT_EQ(animation.frames.size(), 16u);
        EXPECT_EQ(animation.delaysMs, std::vector<int>(16, 80));
    }
}

}  // namespace
}  // namespace kavrell::cli::test
