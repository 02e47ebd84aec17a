// Shift-JIS texts on Windows: the system converts through UTF-16.
#include <windows.h>

#include "canvas/shift_jis.h"

namespace {

constexpr UINT kShiftJisCodePage = 932;

std::string Convert(std::string_view in, UINT from, UINT to) {
  if (in.empty()) return {};
  const int wideLength = MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), wide.data(), wideLength);
  const int outLength = WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(outLength), '\0');
  WideCharToMultiByte(to, 0, wide.data(), wideLength, out.data(), outLength, nullptr, nullptr);
  return out;
}

}  // namespace

std::string ShiftJisToUtf8(std::string_view sjis) { return Convert(sjis, kShiftJisCodePage, CP_UTF8); }

std::string Utf8ToShiftJis(std::string_view utf8) { return Convert(utf8, CP_UTF8, kShiftJisCodePage); }
