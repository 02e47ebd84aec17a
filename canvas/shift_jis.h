#pragma once
#include <string>
#include <string_view>

// Texts are Shift-JIS (code page 932) bytes, as the game stores them. The
// conversions are the platform's (marobel_platform: iconv or the system's
// code pages).
// Undecodable bytes become U+FFFD; the result is UTF-8.
std::string ShiftJisToUtf8(std::string_view sjis);

// The inverse, for texts written in source as UTF-8. Characters that code
// page 932 cannot hold become '?'.
std::string Utf8ToShiftJis(std::string_view utf8);
