#pragma once
#include <windows.h>

// The header of a 32-bit BI_RGB bitmap whose rows run top-down, as the
// canvas stores its 0x00RRGGBB pixels (a negative height means top-down).
inline BITMAPINFO TopDownDib32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}
