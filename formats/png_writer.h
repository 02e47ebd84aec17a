#pragma once
// The one PNG writer of the project, on libpng: the runner's frames and the
// art generator's icons.
#include <cstdint>
#include <string>
#include <vector>

// Writes 0x00RRGGBB pixels (rows top-down) as an 8-bit RGB PNG. Returns
// false, with a reason, when the file cannot be written completely.
bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height, std::string& error);

// Writes 8-bit R, G, B, A bytes (rows top-down, four bytes a pixel) as an
// 8-bit RGBA PNG, for pictures with soft edges such as icons. Returns false,
// with a reason, when the file cannot be written completely.
bool WritePngRgba(const std::string& path, const std::uint8_t* rgba, int width, int height, std::string& error);

// The same PNG as WritePngRgba writes, in memory (an icon file holds its
// largest image so); empty if it cannot be made.
std::vector<std::uint8_t> EncodePngRgba(const std::uint8_t* rgba, int width, int height);
