// Inputs that are damaged, too large, endless or oddly named: each is
// refused with one line that names it and says what is wrong, or read as it
// is, and a refused run writes nothing.

#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <filesystem>
#include <thread>

#include "cli_fixture.h"

namespace kavrell::cli::test {
namespace {

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImageWriter(&buffer, format).write(image));
    return bytes;
}

class DamagedInputTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        WriteMorphInputs();
        WriteText("old.gif", "earlier output");
    }

    void WriteBytes(const std::string& name, const QByteArray& bytes) const {
        WriteText(name, bytes.toStdString());
    }

    // The run is refused with status 2 and one line that begins with prefix
    // and holds detail; nothing is written.
    void ExpectRefused(const std::vector<std::string>& args, const std::string& prefix,
                       const std::string& detail) {
        const std::set<std::string> before = Entries();
        const RunResult run = Run(args);
        EXPECT_EQ(run.status, 2) << run.err;
        const std::vector<std::string> lines = Lines(run.err);
        ASSERT_EQ(lines.size(), 1u) << run.err;
        EXPECT_EQ(lines[0].rfind(prefix, 0), 0u) << lines[0];
        EXPECT_NE(lines[0].find(detail), std::string::npos) << lines[0];
        EXPECT_EQ(Entries(), before);
        EXPECT_EQ(ReadText("old.gif"), "earlier output");
    }
};

TEST_F(DamagedInputTest, CutShortOrHollowImagesAreRefusedInEveryFormat) {
    const QImage photo = GradientImage(64, 48);
    const QByteArray jpeg = Encoded(photo, "jpeg");
    // Qt writes no GIF: an animation of ours is the sample.
    ASSERT_EQ(Run({"-p", "good.json", "src.png", "-o", "whole.gif", "--frames", "2"}).status, 0);
    const QByteArray gif = QByteArray::fromStdString(ReadText("whole.gif"));
    const QByteArray bmp = Encoded(photo, "bmp");
    const QByteArray png = Encoded(photo, "png");
    // The header of a 1000 x 1000 BMP with a few rows of its pixels.
    const QByteArray hollowBmp = Encoded(SolidImage(1000, 1000, Qt::blue), "bmp").left(354);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* detail;
    } cases[] = {
        {"cut.jpg", jpeg.left(jpeg.size() * 2 / 3), "the data is damaged (corrupt JPEG data: premature end"},
        {"cut.gif", gif.left(gif.size() * 2 / 3),
         "the data is damaged or cut short (failed to read from given file)"},
        {"cut.bmp", bmp.left(bmp.size() * 2 / 3), "the file ends before its image data does"},
        {"hollow.bmp", hollowBmp, "its header gives 1000 x 1000 pixels"},
        {"cut.png", png.left(png.size() - 12), "the file ends before its closing IEND chunk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(c.name, c.bytes);
        ExpectRefused({"-p", "good.json", c.name, "-o", "old.gif"},
                      std::string("kavrell-morph: ") + c.name + ": SOURCE: cannot read the image", c.detail);
        ExpectRefused({"-p", "good.json", "src.png", c.name, "-o", "old.gif"},
                      std::string("kavrell-morph: ") + c.name + ": DESTINATION: cannot read the image",
                      c.detail);
    }
}

// A colour photo of exactly the limit is read (Qt's own limit would refuse
// it); one row more is refused by its size before it is decoded.
TEST_F(DamagedInputTest, ImagesUpToTheLimitAreReadAndLargerOnesRefusedBySize) {
    {
        QImage photo(12000, 10000, QImage::Format_RGB888);
        photo.fill(QColor(200, 120, 40));
        WriteImage("limit.jpg", photo);
    }
    QImage larger(12000, 10001, QImage::Format_Mono);
    larger.fill(0);
    WriteImage("larger.png", larger);

    const RunResult accepted = Run({"init", "--mesh", "1x1", "limit.jpg"});
    EXPECT_EQ(accepted.status, 0) << accepted.err;
    EXPECT_EQ(nlohmann::json::parse(accepted.out)["mesh"]["src"][2][2], nlohmann::json({11999, 9999}));

    ExpectRefused({"init", "--mesh", "1x1", "larger.png", "-o", "p.json"},
                  "kavrell-morph: larger.png: SOURCE: is 12000 x 10001 pixels (120.01 megapixels); too large",
                  "images of at most 120 megapixels (120000000 pixels) are read");
    EXPECT_NE(Run({"--help"}).out.find("120 megapixels (120000000 pixels)"), std::string::npos);
}

// A device without end is read only up to the project limit.
TEST_F(DamagedInputTest, EndlessProjectIsRefusedWithBoundedMemory) {
    const RunResult run = Run({"-p", "/dev/zero", "src.png", "-o", "old.gif"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(Lines(run.err), std::vector<std::string>{
                                  "kavrell-morph: /dev/zero: project: larger than 64 MiB; too large for a "
                                  "project file"});
    EXPECT_LT(run.peakMemoryKiB, 256 * 1024);
    EXPECT_EQ(ReadText("old.gif"), "earlier output");
}

// What a shell's process substitution passes: a pipe with no size.
TEST_F(DamagedInputTest, ProjectFromAPipeIsRead) {
    ASSERT_EQ(mkfifo(Path("pipe.json").c_str(), 0600), 0);
    std::thread writer([this] { WriteProject("pipe.json", MeshProjectJson(64, 48, 2, 2)); });
    const RunResult run = Run({"-p", "pipe.json", "src.png", "-o", "out.gif", "--frames", "2"});
    writer.join();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(Path("out.gif")));
}

TEST_F(DamagedInputTest, OverlongTokenIsQuotedAsAShortEscapedExcerpt) {
    WriteText("long.json", R"({"method": "mesh", "frames": tru)" + std::string(1 << 20, 'x') + "\xff\xfe}");
    const RunResult run = Run({"-p", "long.json", "src.png", "-o", "old.gif"});
    EXPECT_EQ(run.status, 2);
    const std::vector<std::string> lines = Lines(run.err);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("kavrell-morph: long.json: line 1, column ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("not valid JSON"), std::string::npos) << lines[0];
    EXPECT_LT(lines[0].size(), 300u) << lines[0];
    EXPECT_TRUE(std::all_of(lines[0].begin(), lines[0].end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
    })) << lines[0];
}

TEST_F(DamagedInputTest, DuplicateKeysAreRefusedWithTheirPath) {
    const struct {
        const char* project;
        const char* field;
    } cases[] = {
        {R"({"method": "mesh", "frames": 3, "frames": 5})", "frames"},
        {R"({"method": "mesh", "mesh": {"cols": 2, "rows": 2, "cols": 3}})", "mesh.cols"},
        {R"({"method": "field", "field": {"src": [[1, 1], [9, 9]], "dst": [[1, 1], [9, 9]],
             "src": [[2, 2], [8, 8]]}})",
         "field.src"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.project);
        WriteText("twice.json", c.project);
        ExpectRefused({"-p", "twice.json", "src.png", "-o", "old.gif"},
                      std::string("kavrell-morph: twice.json: ") + c.field + ": ", "appears twice");
    }
}

// Names are bytes: one that is not UTF-8 reaches the file system as given.
TEST_F(DamagedInputTest, NamesThatAreNotUtf8AreUsedByteForByte) {
    const std::string source = "src\xff.png";
    const std::string project = "p\xfe.json";
    const std::string output = "out\xfd.gif";
    std::filesystem::copy_file(Path("src.png"), Path(source));
    std::filesystem::copy_file(Path("good.json"), Path(project));
    const RunResult run = Run({"-p", project, source, "-o", output, "--frames", "2"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(Path(output)));

    const RunResult missing = Run({"-p", project, "gone\xff.png", "-o", output});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(Lines(missing.err),
              std::vector<std::string>{"kavrell-morph: gone\xff.png: SOURCE: no such file"});
}

}  // namespace
}  // namespace kavrell::cli::test
