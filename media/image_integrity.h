#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kavrell {

// What is wrong with the bytes of an image file of format ("bmp", "gif",
// "png", "webp"; other formats are not looked at) beyond what its decoder
// reports: data that ends before the image its header describes, or that
// breaks the format's structure. Empty when nothing is found.
std::string FindDamage(const std::string& format, std::span<const uint8_t> data);

}  // namespace kavrell
