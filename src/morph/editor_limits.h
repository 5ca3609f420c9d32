#pragma once

#include <cstdint>

#include "engine/control_points.h"

namespace kavrell {

// The ranges of the editor's settings, shared by its spin edits, the command
// line and the project files.

// Interior node columns or rows of a mesh ("Horizontal pts", "Vertical pts"):
// the record holds two border lines besides them.
inline constexpr int32_t MinMeshCount = 1;
inline constexpr int32_t MaxMeshCount = MeshSlots - 2;

// Frames of a sequence and the delay of each frame in hundredths of a second.
inline constexpr int32_t MinFrames = 0;
inline constexpr int32_t MaxFrames = 100;
inline constexpr int32_t MinDelay = 0;
inline constexpr int32_t MaxDelay = 100;

// The settings an editor starts with.
inline constexpr int32_t DefaultFrames = 12;
inline constexpr int32_t DefaultDelay = 10;
inline constexpr int32_t DefaultMeshCount = 10;

}  // namespace kavrell
