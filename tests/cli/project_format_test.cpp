// The project text that init writes reads back as the same project.

#include <gtest/gtest.h>

#include "cli/project_file.h"
#include "cli/project_writer.h"
#include "morph/mesh_lattice.h"

namespace kavrell::cli {
namespace {

TEST(ProjectFormatTest, WrittenProjectsReadBackUnchanged) {
    Project project;
    project.method = WarpMethod::Field;
    project.frames = 0;
    project.delay = 100;
    project.interpolation = Interpolation::CatmullRom;
    MeshProject mesh{3, 2, MeshLattice(90, 60, 3, 2), {}};
    mesh.dst = mesh.src;
    mesh.dst[1 * 4 + 1] = {-5, 70};
    project.mesh = mesh;
    project.field = FieldProject{{{1, 2}, {3, 4}, {EmptySlot, 0}, {-7, 8}, {9, 10}, {EmptySlot, 0}},
                                 {{2, 2}, {3, 5}, {EmptySlot, 0}, {-6, 8}, {9, 11}, {EmptySlot, 0}}};

    const Project back = ParseProject(FormatProject(project), 90, 60);
    EXPECT_EQ(back.method, project.method);
    EXPECT_EQ(back.frames, project.frames);
    EXPECT_EQ(back.delay, project.delay);
    EXPECT_EQ(back.interpolation, project.interpolation);
    ASSERT_TRUE(back.mesh && back.field);
    EXPECT_EQ(back.mesh->cols, 3);
    EXPECT_EQ(back.mesh->rows, 2);
    EXPECT_EQ(back.mesh->src, project.mesh->src);
    EXPECT_EQ(back.mesh->dst, project.mesh->dst);
    EXPECT_EQ(back.field->src, project.field->src);
    EXPECT_EQ(back.field->dst, project.field->dst);
}

TEST(ProjectFormatTest, DefaultsFillWhatTheFileLeavesOut) {
    const Project project = ParseProject(R"({"method": "mesh", "mesh": {"cols": 2, "rows": 1},
                                             "field": {"src": [[1, 1], [4, 4]]}})",
                                         30, 20);
    EXPECT_EQ(project.frames, 12);
    EXPECT_EQ(project.delay, 10);
    EXPECT_EQ(project.interpolation, Interpolation::Linear);
    ASSERT_TRUE(project.mesh && project.field);
    EXPECT_EQ(project.mesh->src, MeshLattice(30, 20, 2, 1));
    EXPECT_EQ(project.mesh->dst, project.mesh->src);
    EXPECT_EQ(project.field->dst, project.field->src);
}

}  // namespace
}  // namespace kavrell::cli
