#pragma once
#include <cstdint>
#include <string>

// Writes 0x00RRGGBB pixels (rows top-down) as an 8-bit RGB PNG. Returns
// false, with a reason, when the file cannot be written completely.
bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height, std::string& error);
