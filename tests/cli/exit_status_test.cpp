// Every exit status of kavrell-morph with its one line on stderr, and that a
// refused run writes nothing.

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "animation_reader.h"
#include "cli_fixture.h"

namespace kavrell::cli::test {
namespace {

using nlohmann::json;

constexpr const char* kNoControlPoints = "No morphing control points. Action suspended!";
constexpr const char* kGenerationFailed =
    "Error generating morphing sequence. Possible reason: control points overlaping!";

// A directory with good inputs and an earlier output, which a refused run
// must leave exactly as it was.
class ExitStatusTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        WriteMorphInputs();
        WriteText("old.gif", "earlier output");
    }

    // Runs args and checks the refusal: status, exactly one line on stderr
    // that begins with prefix and contains detail, nothing on stdout, and no
    // file created, changed or removed.
    void ExpectRefused(const std::vector<std::string>& args, int status, const std::string& prefix,
                       const std::string& detail) {
        const std::set<std::string> before = Entries();
        const RunResult run = Run(args);
        EXPECT_EQ(run.status, status) << run.err;
        const std::vector<std::string> lines = Lines(run.err);
        ASSERT_EQ(lines.size(), 1u) << run.err;
        EXPECT_EQ(lines[0].rfind(prefix, 0), 0u) << lines[0];
        EXPECT_NE(lines[0].find(detail), std::string::npos) << lines[0];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Entries(), before);
        EXPECT_EQ(ReadText("old.gif"), "earlier output");
    }
};

struct UsageCase {
    std::vector<std::string> args;
    const char* field;
    const char* detail;
};

TEST_F(ExitStatusTest, BadUsageIsRefusedWithStatusTwo) {
    const UsageCase cases[] = {
        {{}, "-p", "a project file is required"},
        {{"src.png", "-o", "old.gif"}, "-p", "a project file is required"},
        {{"-p", "good.json", "-o", "old.gif"}, "SOURCE", "missing"},
        {{"-p", "good.json", "src.png", "dst.png", "src.png", "-o", "old.gif"},
         "\"src.png\"",
         "unexpected operand"},
        {{"-p", "good.json", "src.png", "--colour", "-o", "old.gif"}, "--colour", "unknown option"},
        {{"-p", "good.json", "src.png", "-x", "-o", "old.gif"}, "-x", "unknown option"},
        {{"-p", "good.json", "src.png", "-o", "old.gif", "--frames", "101"}, "--frames", "from 0 to 100"},
        {{"-p", "good.json", "src.png", "-o", "old.gif", "--frames", "-1"}, "--frames", "from 0 to 100"},
        {{"-p", "good.json", "src.png", "-o", "old.gif", "--frames", "12.5"}, "--frames", "whole number"},
        {{"-p", "good.json", "src.png", "-o", "old.gif", "--delay", "101"}, "--delay", "from 0 to 100"},
        {{"-p", "good.json", "src.png", "-o", "old.gif", "--delay"}, "--delay", "needs a value"},
        {{"-p", "good.json", "src.png", "-o", "old.gif", "--json=yes"}, "--json", "takes no value"},
        {{"-p", "good.json", "src.png", "--mesh", "2x2", "-o", "old.gif"}, "--mesh", "unknown option"},
        {{"init", "src.png", "-o", "old.gif"}, "--mesh", "required"},
        {{"init", "--mesh", "0x5", "src.png", "-o", "old.gif"}, "--mesh", "from 1 to 100"},
        {{"init", "--mesh", "3x101", "src.png", "-o", "old.gif"}, "--mesh", "from 1 to 100"},
        {{"init", "--mesh", "3by3", "src.png", "-o", "old.gif"}, "--mesh", "COLSxROWS"},
        {{"init", "--mesh", "3x3", "-o", "old.gif"}, "SOURCE", "missing"},
        {{"init", "--mesh", "3x3", "--frames", "5", "src.png"}, "--frames", "unknown option"},
    };
    for (const UsageCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        ExpectRefused(c.args, 2, std::string("kavrell-morph: command line: ") + c.field + ": ", c.detail);
    }
}

struct BadInputCase {
    const char* label;
    std::string project;  // written to case.json unless empty
    std::vector<std::string> operands;
    const char* file;
    const char* field;
    const char* detail;
};

std::string Dump(json value) { return value.dump(); }

json WithMeshNode(const char* grid, int i, int j, json node) {
    json project = MeshProjectJson(64, 48, 2, 2);
    project["mesh"][grid][i][j] = std::move(node);
    return project;
}

std::vector<BadInputCase> BadInputCases() {
    const std::string good = MeshProjectJson(64, 48, 2, 2).dump();
    json tooManySlots = {{"method", "field"}, {"field", {{"src", json::array()}}}};
    for (int k = 0; k < 1001; ++k) tooManySlots["field"]["src"].push_back({k % 64, k % 48});
    json fieldCase =
        json::parse(R"({"method": "field", "field": {"src": [[1, 1], [5, 5], null, [9, 9], [12, 12]]}})");
    return {
        {"corrupt source", "", {"broken.png"}, "broken.png", "SOURCE", "cannot read the image"},
        {"missing source", "", {"missing.png"}, "missing.png", "SOURCE", "no such file"},
        {"corrupt destination",
         "",
         {"src.png", "broken.png"},
         "broken.png",
         "DESTINATION",
         "cannot read the image"},
        {"source is a directory", "", {"folder"}, "folder", "SOURCE", "is a directory"},
        {"truncated JSON",
         good.substr(0, good.size() / 2),
         {"src.png"},
         "case.json",
         "line 1, column ",
         "not valid JSON"},
        {"empty file", " ", {"src.png"}, "case.json", "line 1, column 2", "not valid JSON"},
        {"not an object", "[1, 2]", {"src.png"}, "case.json", "top level", "must be a JSON object"},
        {"missing method", R"({"frames": 3})", {"src.png"}, "case.json", "method", "missing"},
        {"method of wrong type",
         R"({"method": 5})",
         {"src.png"},
         "case.json",
         "method",
         "\"mesh\" or \"field\""},
        {"unknown method", R"({"method": "morph"})", {"src.png"}, "case.json", "method", "found \"morph\""},
        {"frames as text",
         R"({"method": "mesh", "frames": "12"})",
         {"src.png"},
         "case.json",
         "frames",
         "whole number"},
        {"frames 101",
         R"({"method": "mesh", "frames": 101})",
         {"src.png"},
         "case.json",
         "frames",
         "found 101"},
        {"number beyond a double",
         R"({"method": "mesh", "frames": 1e999})",
         {"src.png"},
         "case.json",
         "JSON text",
         "number overflow"},
        {"frames fractional",
         R"({"method": "mesh", "frames": 2.5})",
         {"src.png"},
         "case.json",
         "frames",
         "found 2.5"},
        {"delay negative",
         R"({"method": "mesh", "delay": -1})",
         {"src.png"},
         "case.json",
         "delay",
         "from 0 to 100"},
        {"unknown interpolation",
         R"({"method": "mesh", "interpolation": "cubic"})",
         {"src.png"},
         "case.json",
         "interpolation",
         "\"linear\" or \"catmull-rom\""},
        {"unknown field",
         R"({"method": "mesh", "frame": 3})",
         {"src.png"},
         "case.json",
         "frame",
         "unknown field"},
        {"unknown mesh field",
         R"({"method": "mesh", "mesh": {"cols": 1, "rows": 1, "nodes": []}})",
         {"src.png"},
         "case.json",
         "mesh.nodes",
         "unknown field"},
        {"mesh without rows",
         R"({"method": "mesh", "mesh": {"cols": 2}})",
         {"src.png"},
         "case.json",
         "mesh.rows",
         "missing"},
        {"mesh of no columns",
         R"({"method": "mesh", "mesh": {"cols": 0, "rows": 2}})",
         {"src.png"},
         "case.json",
         "mesh.cols",
         "from 1 to 100"},
        {"mesh src of wrong type",
         R"({"method": "mesh", "mesh": {"cols": 1, "rows": 1, "src": {}}})",
         {"src.png"},
         "case.json",
         "mesh.src",
         "must be an array"},
        {"mesh of too few columns",
         R"({"method": "mesh", "mesh": {"cols": 2, "rows": 2, "src": [[], []]}})",
         {"src.png"},
         "case.json",
         "mesh.src",
         "cols + 2 = 4 columns"},
        {"non-integer coordinate",
         Dump(WithMeshNode("dst", 1, 1, {21.5, 16})),
         {"src.png"},
         "case.json",
         "mesh.dst[1][1]",
         "x must be a whole number"},
        {"coordinate as text",
         Dump(WithMeshNode("src", 2, 1, {42, "16"})),
         {"src.png"},
         "case.json",
         "mesh.src[2][1]",
         "y must be a whole number"},
        {"point of three values",
         Dump(WithMeshNode("dst", 1, 2, {21, 32, 0})),
         {"src.png"},
         "case.json",
         "mesh.dst[1][2]",
         "array of 3 values"},
        {"coordinate beyond range",
         Dump(WithMeshNode("dst", 1, 1, {1048575, 16})),
         {"src.png"},
         "case.json",
         "mesh.dst[1][1]",
         "from -1048574 to 1048574"},
        {"moved border node",
         Dump(WithMeshNode("src", 0, 1, {1, 16})),
         {"src.png"},
         "case.json",
         "mesh.src[0][1]",
         "border node must stay at (0, 16)"},
        {"moved corner in dst",
         Dump(WithMeshNode("dst", 3, 3, {62, 47})),
         {"src.png"},
         "case.json",
         "mesh.dst[3][3]",
         "border node must stay at (63, 47)"},
        {"mismatched breaks",
         R"({"method": "field", "field": {"src": [[1, 1], [5, 5], null, [9, 9], [12, 12]],
                                          "dst": [[1, 1], [5, 5], [7, 7], [9, 9], [12, 12]]}})",
         {"src.png"},
         "case.json",
         "field.dst[2]",
         "breaks must stand in the same slots"},
        {"dst of another length",
         R"({"method": "field", "field": {"src": [[1, 1], [5, 5]], "dst": [[1, 1], [5, 5], [6, 6]]}})",
         {"src.png"},
         "case.json",
         "field.dst",
         "has 3 slots, field.src has 2"},
        {"polyline of one point",
         R"({"method": "field", "field": {"src": [[1, 1], [5, 5], null, [9, 9]]}})",
         {"src.png"},
         "case.json",
         "field.src[3]",
         "polyline of one point"},
        {"single point",
         R"({"method": "field", "field": {"src": [[1, 1]]}})",
         {"src.png"},
         "case.json",
         "field.src[0]",
         "polyline of one point"},
        {"break first",
         R"({"method": "field", "field": {"src": [null, [1, 1], [5, 5]]}})",
         {"src.png"},
         "case.json",
         "field.src[0]",
         "a break cannot come first"},
        {"two breaks",
         R"({"method": "field", "field": {"src": [[1, 1], [5, 5], null, null, [9, 9], [2, 2]]}})",
         {"src.png"},
         "case.json",
         "field.src[3]",
         "two breaks in a row"},
        {"point not a pair",
         R"({"method": "field", "field": {"src": [[1, 1], 5]}})",
         {"src.png"},
         "case.json",
         "field.src[1]",
         "must be a point [x, y], found 5"},
        {"over 1000 slots",
         tooManySlots.dump(),
         {"src.png"},
         "case.json",
         "field.src",
         "has 1001 slots, at most 1000"},
        {"bad field beside a mesh",
         Dump([&] {
             json project = MeshProjectJson(64, 48, 2, 2);
             project["field"] = fieldCase["field"];
             project["field"]["src"][4] = nullptr;
             return project;
         }()),
         {"src.png"},
         "case.json",
         "field.src[3]",
         "polyline of one point"},
        {"missing project", "", {"src.png"}, "nothing.json", "project", "no such file"},
    };
}

TEST_F(ExitStatusTest, BadInputIsRefusedWithStatusTwoAndNothingWritten) {
    WriteText("broken.png", "\x89PNG\r\n\x1a\n this is not the rest of a PNG");
    std::filesystem::create_directory(Path("folder"));
    for (const BadInputCase& c : BadInputCases()) {
        SCOPED_TRACE(c.label);
        if (!c.project.empty()) WriteText("case.json", c.project);
        const std::string project = std::string(c.file) == "nothing.json" ? "nothing.json"
                                    : c.project.empty()                   ? "good.json"
                                                                          : "case.json";
        std::vector<std::string> args = {"-p", project, "-o", "old.gif"};
        args.insert(args.end(), c.operands.begin(), c.operands.end());
        ExpectRefused(args, 2, std::string("kavrell-morph: ") + c.file + ": " + c.field, c.detail);
    }
}

TEST_F(ExitStatusTest, InitRefusesAnUnreadableSourceAndAFolderAsProject) {
    WriteText("broken.png", "not an image at all");
    std::filesystem::create_directory(Path("folder"));
    ExpectRefused({"init", "--mesh", "2x2", "broken.png", "-o", "p.json"}, 2,
                  "kavrell-morph: broken.png: SOURCE: ", "cannot read the image");
    ExpectRefused({"init", "--mesh", "2x2", "src.png", "-o", "folder"}, 2,
                  "kavrell-morph: folder: output: ", "is a directory");
}

TEST_F(ExitStatusTest, OutputInAMissingDirectoryIsRefusedBeforeAnyWork) {
    ExpectRefused({"-p", "good.json", "src.png", "-o", "no/such/place.gif"}, 2,
                  "kavrell-morph: no/such/place.gif: output: ", "does not exist");
    ExpectRefused({"-p", "good.json", "src.png", "-o", "old.gif/frames"}, 2,
                  "kavrell-morph: old.gif/frames: output: ", "\"old.gif\" is not a directory");
    ExpectRefused({"-p", "good.json", "src.png", "-o", "src.png"}, 2,
                  "kavrell-morph: src.png: output: ", "not a directory");
}

// The generate command refuses a method without control points with message
// 2, whatever the other method holds.
TEST_F(ExitStatusTest, MethodWithoutControlPointsIsRefusedWithMessageTwo) {
    const struct {
        const char* project;
        const char* field;
    } cases[] = {
        {R"({"method": "mesh"})", "mesh"},
        {R"({"method": "field"})", "field"},
        {R"({"method": "field", "field": {"src": []}})", "field"},
        {R"({"method": "mesh", "field": {"src": [[1, 1], [9, 9]]}})", "mesh"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.project);
        WriteText("empty.json", c.project);
        ExpectRefused({"-p", "empty.json", "src.png", "dst.png", "-o", "old.gif"}, 2,
                      std::string("kavrell-morph: empty.json: ") + c.field + ": " + kNoControlPoints, "");
    }
}

// A line whose source and destination run in opposite directions shrinks
// to one pixel half way: with 4 warp-only frames (t = 1/4, 2/4, 3/4) the
// frame at t = 1/2 fails, after the source and the frame at t = 1/4. Where
// there was no output yet, those two frames are written.
TEST_F(ExitStatusTest, WarpFailureWritesTheFramesBeforeItWithStatusThree) {
    WriteText("crossing.json", R"({"method": "field", "frames": 4, "delay": 6,
        "field": {"src": [[10, 20], [50, 20]], "dst": [[50, 20], [10, 20]]}})");
    for (const std::string output : {"failed.gif", "failed"}) {
        SCOPED_TRACE(output);
        const RunResult run = Run({"-p", "crossing.json", "src.png", "-o", output, "--json"});
        EXPECT_EQ(run.status, 3);
        EXPECT_EQ(Lines(run.err),
                  std::vector<std::string>{
                      "kavrell-morph: crossing.json: field: " + std::string(kGenerationFailed) +
                      " (2 frames made before the failure were kept in \"" + output + "\")"});
        EXPECT_EQ(json::parse(run.out),
                  json::parse(R"({"frames": 2, "width": 64, "height": 48, "delay_ms": 60,
                                                        "mode": "warp-only", "completed": false})"));
        const Animation animation = ReadAnimation(Path(output));
        EXPECT_EQ(animation.frames.size(), 2u);
    }
}

// An existing frame directory that holds a directory cannot be exchanged
// for the new sequence with everything it holds; it is refused before any
// work.
TEST_F(ExitStatusTest, FrameDirectoryHoldingADirectoryIsRefused) {
    std::filesystem::create_directories(Path("out/frame_000.png"));
    ExpectRefused({"-p", "good.json", "src.png", "--frames", "3", "-o", "out"}, 2,
                  "kavrell-morph: out: output: ", "holds the directory \"frame_000.png\"");
}

// Frames wider than a GIF can hold cannot be written: status 1, nothing left.
TEST_F(ExitStatusTest, OutputThatCannotBeWrittenGivesStatusOne) {
    WriteImage("wide.png", SolidImage(65536, 1, Qt::red));
    WriteProject("wide.json", MeshProjectJson(65536, 1, 1, 1));
    ExpectRefused({"-p", "wide.json", "wide.png", "--frames", "0", "-o", "old.gif"}, 1,
                  "kavrell-morph: old.gif: output: ", "GIF limit of 65535 pixels");
}

TEST_F(ExitStatusTest, HelpAndVersionSucceed) {
    const RunResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: kavrell-morph [options] -p PROJECT SOURCE [DESTINATION]\n", 0), 0u);
    EXPECT_NE(help.out.find("kavrell-morph init --mesh COLSxROWS [-o PROJECT] SOURCE"), std::string::npos);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(Run({"init", "-h"}).out, help.out);

    const RunResult version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("kavrell-morph ") + KAVRELL_VERSION + "\n");
}

}  // namespace
}  // namespace kavrell::cli::test
