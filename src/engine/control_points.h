#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kavrell {

// A position in pixels of the full-size image: x from the left edge, y from
// the top edge. Never clamped, so it may lie outside the image.
struct Point32 {
    int32_t x;
    int32_t y;
    bool operator==(const Point32&) const = default;
};

inline constexpr int32_t EmptySlot = 0xFFFFF;  // x of an empty field slot; no object
inline constexpr int32_t FieldSlots = 1024;    // capacity of every field list
inline constexpr int32_t MeshSlots = 102;      // 100 interior node lines plus two border ones

// The largest coordinate a point may hold: one more would make its x read as
// the empty mark. The same bound serves both axes and both signs.
inline constexpr int32_t LargestCoordinate = EmptySlot - 1;

// A field slot holds a point when its x lies below the empty mark.
inline bool HoldsPoint(const Point32& slot) { return slot.x < EmptySlot; }

// Coordinates are never clamped, so sums and differences of them are formed
// in 64 bits and saturated to 32 rather than allowed to overflow.
inline int32_t SaturateToInt32(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

using MeshNodes = Point32[MeshSlots][MeshSlots];  // [column][row]

}  // namespace kavrell
