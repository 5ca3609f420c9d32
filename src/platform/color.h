#pragma once

#include <cstdint>

namespace kavrell {

// An RGB colour, as the vector objects' pens and brushes use it.
struct Color {
    uint8_t r;
    uint8_t g;
    uint8_t b;
    bool operator==(const Color&) const = default;
};

inline constexpr Color kRed{0xFF, 0x00, 0x00};
inline constexpr Color kWhite{0xFF, 0xFF, 0xFF};
inline constexpr Color kYellow{0xFF, 0xFF, 0x00};
inline constexpr Color kBlue{0x00, 0x00, 0xFF};
inline constexpr Color kGreen{0x00, 0x80, 0x00};
inline constexpr Color kAqua{0x00, 0xFF, 0xFF};

}  // namespace kavrell
