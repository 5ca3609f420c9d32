// An earlier output is replaced whole or not at all: by a second run, a
// failed run, an interrupted run; its permission bits stay, and a
// read-only one takes --force.

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "cli_fixture.h"

namespace kavrell::cli::test {
namespace {

namespace fs = std::filesystem;

class OutputReplacementTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        WriteMorphInputs();
    }

    RunResult Morph(const std::string& output, int frames, std::vector<std::string> more = {}) const {
        std::vector<std::string> args = {"-p", "good.json", "src.png",  "dst.png",
                                         "-o", output,      "--frames", std::to_string(frames)};
        args.insert(args.end(), more.begin(), more.end());
        return Run(args);
    }

    // Every file below the test directory with its bytes.
    std::map<std::string, std::string> Contents() const {
        std::map<std::string, std::string> contents;
        for (const std::string& entry : Entries()) {
            if (fs::is_regular_file(Path(entry))) contents[entry] = ReadText(entry);
        }
        return contents;
    }

    bool HasHiddenEntry() const {
        for (const std::string& entry : Entries()) {
            if (fs::path(entry).filename().string().front() == '.') return true;
        }
        return false;
    }

    mode_t ModeOf(const std::string& name) const {
        struct stat status {};
        EXPECT_EQ(stat(Path(name).c_str(), &status), 0);
        return status.st_mode & 07777;
    }
};

std::set<std::string> FramesIn(const std::string& directory, int count) {
    std::set<std::string> names;
    char name[32];
    for (int index = 0; index < count; ++index) {
        std::snprintf(name, sizeof name, "/frame_%03d.png", index);
        names.insert(directory + name);
    }
    return names;
}

// The second run's directory holds its own frames and the user's file (the
// same file, carried over by a hard link); the leftover of a run that was
// killed is cleared away.
TEST_F(OutputReplacementTest, SecondRunLeavesExactlyItsOwnFrames) {
    ASSERT_EQ(Morph("out", 8).status, 0);
    for (const std::string& frame : FramesIn("out", 8)) ASSERT_TRUE(fs::exists(Path(frame))) << frame;
    WriteText("out/notes.txt", "mine");
    struct stat notes {};
    ASSERT_EQ(stat(Path("out/notes.txt").c_str(), &notes), 0);
    fs::create_directory(Path(".out.kavrell-2147483647-left"));
    WriteText(".out.kavrell-2147483647-left/frame_000.png", "half");

    const RunResult second = Morph("out", 3);
    ASSERT_EQ(second.status, 0) << second.err;
    std::set<std::string> expected = {"src.png", "dst.png", "good.json", "out", "out/notes.txt"};
    const std::set<std::string> frames = FramesIn("out", 3);
    expected.insert(frames.begin(), frames.end());
    EXPECT_EQ(Entries(), expected);
    EXPECT_EQ(ReadText("out/notes.txt"), "mine");
    struct stat kept {};
    ASSERT_EQ(stat(Path("out/notes.txt").c_str(), &kept), 0);
    EXPECT_EQ(kept.st_ino, notes.st_ino);
}

// A warp that fails (status 3) leaves an earlier GIF and an earlier
// directory byte for byte, and says that it did.
TEST_F(OutputReplacementTest, FailedRunLeavesTheEarlierOutputs) {
    ASSERT_EQ(Morph("out", 6).status, 0);
    ASSERT_EQ(Morph("old.gif", 14).status, 0);
    WriteText("crossing.json", R"({"method": "field", "frames": 4,
        "field": {"src": [[10, 20], [50, 20]], "dst": [[50, 20], [10, 20]]}})");
    const std::map<std::string, std::string> before = Contents();
    for (const std::string output : {"old.gif", "out"}) {
        SCOPED_TRACE(output);
        const RunResult run = Run({"-p", "crossing.json", "src.png", "-o", output});
        EXPECT_EQ(run.status, 3);
        const std::vector<std::string> lines = Lines(run.err);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(
            lines[0].find("(2 frames made and dropped: the earlier \"" + output + "\" was left as it was)"),
            std::string::npos)
            << lines[0];
        EXPECT_EQ(Contents(), before);
    }
}

// A signal once the frames are being written: the run ends with 128 + the
// signal, no temporary is left and the earlier directory is as it was.
TEST_F(OutputReplacementTest, SignalWhileWritingLeavesNoTemporaryAndTheOldOutput) {
    WriteImage("big.png", GradientImage(480, 360));
    WriteProject("big.json", MeshProjectJson(480, 360, 3, 3));
    ASSERT_EQ(Morph("out", 2).status, 0);
    const std::map<std::string, std::string> before = Contents();
    for (const auto& [signal, status] : {std::pair{SIGTERM, 143}, std::pair{SIGINT, 130}}) {
        SCOPED_TRACE(signal);
        BackgroundRun run({"-p", "big.json", "big.png", "-o", "out", "--frames", "100", "-q"}, Path(""));
        // The staging directory appears beside "out" when writing starts.
        bool writing = false;
        while (!writing && kill(run.pid(), 0) == 0) {
            writing = HasHiddenEntry();
            if (!writing) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_TRUE(writing) << "the run ended before it wrote";
        kill(run.pid(), signal);
        const RunResult result = run.Wait();
        EXPECT_EQ(result.status, status) << result.err;
        EXPECT_FALSE(HasHiddenEntry());
        EXPECT_EQ(Contents(), before);
    }
}

TEST_F(OutputReplacementTest, ReplacedOutputsKeepTheirPermissionBits) {
    const struct {
        const char* output;
        mode_t mode;
    } cases[] = {{"private.gif", 0600}, {"shared.webp", 0664}, {"frames", 0700}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        ASSERT_EQ(Morph(c.output, 2).status, 0);
        ASSERT_EQ(chmod(Path(c.output).c_str(), c.mode), 0);
        const std::string earlier = fs::is_regular_file(Path(c.output)) ? ReadText(c.output) : "";
        ASSERT_EQ(Morph(c.output, 4).status, 0);
        EXPECT_EQ(ModeOf(c.output), c.mode);
        if (!earlier.empty()) {
            EXPECT_NE(ReadText(c.output), earlier);
        }
    }
}

TEST_F(OutputReplacementTest, ReadOnlyOutputIsReplacedOnlyWithForce) {
    ASSERT_EQ(Morph("locked.gif", 2).status, 0);
    ASSERT_EQ(chmod(Path("locked.gif").c_str(), 0444), 0);
    const std::string earlier = ReadText("locked.gif");

    const RunResult refused = Morph("locked.gif", 4);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(Lines(refused.err), std::vector<std::string>{"kavrell-morph: locked.gif: output: is read-only; "
                                                           "use --force to replace it"});
    EXPECT_EQ(ReadText("locked.gif"), earlier);

    const RunResult forced = Morph("locked.gif", 4, {"--force"});
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_NE(ReadText("locked.gif"), earlier);
    EXPECT_EQ(ModeOf("locked.gif"), 0444u);
}

}  // namespace
}  // namespace kavrell::cli::test
