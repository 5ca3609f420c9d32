// The host written in C, run as a program against the fake plug-in: what it
// prints, the commands it answers and the frames it writes.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fake_plugin_contract.h"
#include "support/test_images.h"

namespace kavrell::test {
namespace {

namespace fs = std::filesystem;

void WritePpm(const fs::path& path, const Bitmap& image) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.Width() << " " << image.Height() << "\n255\n";
    for (int32_t y = 0; y < image.Height(); ++y) {
        out.write(reinterpret_cast<const char*>(image.ScanLine(y)), 3 * image.Width());
    }
}

Bitmap ReadPpm(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255 || width < 1 || height < 1) return {};
    Bitmap image(width, height);
    for (int32_t y = 0; y < height; ++y) in.read(reinterpret_cast<char*>(image.ScanLine(y)), 3 * width);
    return in ? image : Bitmap();
}

struct HostRun {
    int status = -1;
    std::string out;
};

HostRun RunCHost(const std::vector<std::string>& args) {
    std::string command = "'" C_HOST_BINARY "'";
    for (const std::string& arg : args) command += " '" + arg + "'";
    HostRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, count);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Every frame channel lies between the same channel of a and b.
bool Between(const Bitmap& frame, const Bitmap& a, const Bitmap& b) {
    for (int32_t y = 0; y < frame.Height(); ++y) {
        for (int32_t i = 0; i < 3 * frame.Width(); ++i) {
            const int low = std::min(a.ScanLine(y)[i], b.ScanLine(y)[i]);
            const int high = std::max(a.ScanLine(y)[i], b.ScanLine(y)[i]);
            if (frame.ScanLine(y)[i] < low || frame.ScanLine(y)[i] > high) return false;
        }
    }
    return true;
}

class CHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/c_host_test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        WritePpm(dir_ / "current.ppm", current_);
        WritePpm(dir_ / "next.ppm", next_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    // Odd widths give the plug-in's padded rows; the pictures differ
    // top to bottom, so a frame turned upside down shows.
    const Bitmap current_ = GradientBitmap(37, 23);
    const Bitmap next_ = SolidBitmap(37, 23, 250, 10, 128);
};

TEST_F(CHostTest, PrintsWhatThePlugInSaysAboutItself) {
    const HostRun run =
        RunCHost({FAKE_PLUGIN_PATH, "off", (dir_ / "out").string(), (dir_ / "current.ppm").string()});
    ASSERT_EQ(run.status, 0) << run.out;
    std::ostringstream expected;
    expected << "identification: " << FAKE_PLUGIN_IDENTIFICATION << "\nversion: " << FAKE_PLUGIN_VERSION
             << "\nkind: " << FAKE_PLUGIN_KIND << "\ndescription: ";
    EXPECT_EQ(run.out.rfind(expected.str(), 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\naddress: https://"), std::string::npos) << run.out;
}

struct HandOverCase {
    const char* name;
    const char* animation;
    bool withNext;
    int command;
    int frames;
};

void PrintTo(const HandOverCase& c, std::ostream* out) { *out << c.name; }

class CHostHandOverTest : public CHostTest, public ::testing::WithParamInterface<HandOverCase> {};

TEST_P(CHostHandOverTest, WritesEveryFrameHandedOver) {
    const HandOverCase& c = GetParam();
    std::vector<std::string> args = {FAKE_PLUGIN_PATH, c.animation, (dir_ / "out").string(),
                                     (dir_ / "current.ppm").string()};
    if (c.withNext) args.push_back((dir_ / "next.ppm").string());
    const HostRun run = RunCHost(args);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("received: " + std::to_string(c.frames) + "\n"), std::string::npos) << run.out;

    const auto files = std::distance(fs::directory_iterator(dir_ / "out"), fs::directory_iterator());
    ASSERT_EQ(files, c.frames);
    std::vector<Bitmap> written;
    for (int index = 0; index < c.frames; ++index) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%03d.ppm", index);
        written.push_back(ReadPpm(dir_ / "out" / name));
        std::ostringstream line;
        line << "frame " << index << " command " << c.command << " number " << index + 1 << " delay "
             << FAKE_PLUGIN_DELAY_MS << " " << current_.Width() << "x" << current_.Height() << "\n";
        EXPECT_NE(run.out.find(line.str()), std::string::npos) << line.str() << run.out;
    }
    if (c.frames == 0) return;
    EXPECT_EQ(written.front(), current_);
    const Bitmap& towards = c.withNext ? next_ : SolidBitmap(current_.Width(), current_.Height(), 0, 0, 0);
    if (c.withNext) {
        EXPECT_EQ(written.back(), next_);
    }
    for (const Bitmap& frame : written) EXPECT_TRUE(Between(frame, current_, towards));
    EXPECT_NE(written[1], written[0]);
}

INSTANTIATE_TEST_SUITE_P(Modes, CHostHandOverTest,
                         ::testing::Values(HandOverCase{"NextFrame", "on", true, 3, FAKE_PLUGIN_STEPS + 1},
                                           HandOverCase{"LastFrame", "on", false, 4, FAKE_PLUGIN_STEPS},
                                           HandOverCase{"AnimationOff", "off", true, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kavrell::test
