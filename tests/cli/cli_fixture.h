#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace kavrell::cli::test {

// An image of one colour.
QImage SolidImage(int width, int height, QColor colour);

// An image whose channels change across it, so that every pixel differs
// from its neighbours.
QImage GradientImage(int width, int height);

// A mesh project over a width x height image whose source and destination
// grids are both the regular lattice; tests move nodes in "dst" or "src".
nlohmann::json MeshProjectJson(int width, int height, int cols, int rows);

// Each test runs the binary in a fresh directory of its own.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    std::string WriteImage(const std::string& name, const QImage& image) const;
    std::string WriteText(const std::string& name, const std::string& text) const;
    std::string WriteProject(const std::string& name, const nlohmann::json& project) const {
        return WriteText(name, project.dump());
    }
    std::string ReadText(const std::string& name) const;

    // The usual inputs: src.png and dst.png (64 x 48, the second mirrored)
    // and good.json, a 2 x 2 mesh project over them.
    void WriteMorphInputs() const;

    // Every entry below the test directory, hidden ones included, as paths
    // relative to it.
    std::set<std::string> Entries() const;

    RunResult Run(const std::vector<std::string>& args) const { return RunMorph(args, dir_); }

private:
    std::string dir_;
};

}  // namespace kavrell::cli::test
