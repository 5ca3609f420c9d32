#include "cli_fixture.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "morph/mesh_lattice.h"

namespace kavrell::cli::test {

namespace fs = std::filesystem;

QImage SolidImage(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

QImage GradientImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           qRgb(x * 255 / std::max(1, width - 1), y * 255 / std::max(1, height - 1),
                                (3 * x + 5 * y) % 256));
        }
    }
    return image;
}

nlohmann::json MeshProjectJson(int width, int height, int cols, int rows) {
    const std::vector<Point32> lattice = MeshLattice(width, height, cols, rows);
    nlohmann::json grid = nlohmann::json::array();
    for (int i = 0; i < cols + 2; ++i) {
        nlohmann::json column = nlohmann::json::array();
        for (int j = 0; j < rows + 2; ++j) {
            const Point32 node = lattice[static_cast<size_t>(i * (rows + 2) + j)];
            column.push_back({node.x, node.y});
        }
        grid.push_back(column);
    }
    return {{"method", "mesh"}, {"mesh", {{"cols", cols}, {"rows", rows}, {"src", grid}, {"dst", grid}}}};
}

void CliTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "kavrell-cli-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
}

void CliTest::TearDown() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
}

std::string CliTest::WriteImage(const std::string& name, const QImage& image) const {
    const std::string path = Path(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path))) << "cannot write " << path;
    return name;
}

std::string CliTest::WriteText(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
    return name;
}

std::string CliTest::ReadText(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void CliTest::WriteMorphInputs() const {
    WriteImage("src.png", GradientImage(64, 48));
    WriteImage("dst.png", GradientImage(64, 48).mirrored(true, false));
    WriteProject("good.json", MeshProjectJson(64, 48, 2, 2));
}

std::set<std::string> CliTest::Entries() const {
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
        entries.insert(fs::relative(entry.path(), dir_).string());
    }
    return entries;
}

}  // namespace kavrell::cli::test
