#pragma once
#include <iterator>

#include "canvas/canvas.h"

// The canvas style as the tick left it.
struct StyleField {
  const char* name;
  int Canvas::*field;
  long long max;
};
inline constexpr StyleField kStyleFields[] = {
    {"text height", &Canvas::fontHeight, 4096}, {"text red", &Canvas::textRed, 255},
    {"text green", &Canvas::textGreen, 255},    {"text blue", &Canvas::textBlue, 255},
    {"pen width", &Canvas::penWidth, 4096},     {"pen red", &Canvas::penRed, 255},
    {"pen green", &Canvas::penGreen, 255},      {"pen blue", &Canvas::penBlue, 255},
    {"brush red", &Canvas::brushRed, 255},      {"brush green", &Canvas::brushGreen, 255},
    {"brush blue", &Canvas::brushBlue, 255},
};
inline constexpr std::size_t kStyleFieldCount = std::size(kStyleFields);
