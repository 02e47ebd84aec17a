// Shift-JIS texts where the C library's iconv converts them (Linux, and the
// browser build's musl).
#include <iconv.h>

#include <cstring>

#include "canvas/shift_jis.h"

namespace {

// Converts with iconv, replacing what cannot be converted and going on.
std::string Convert(std::string_view in, const char* from, const char* to, std::string_view replacement) {
  iconv_t cd = iconv_open(to, from);
  // musl's iconv (the browser build's C library, and Alpine's) knows code
  // page 932 only by the name of the standard it extends.
  if (cd == reinterpret_cast<iconv_t>(-1) && std::strcmp(from, "CP932") == 0) cd = iconv_open(to, "SHIFT_JIS");
  if (cd == reinterpret_cast<iconv_t>(-1) && std::strcmp(to, "CP932") == 0) cd = iconv_open("SHIFT_JIS", from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char buffer[256];
  while (srcLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (rc == static_cast<std::size_t>(-1) && srcLeft > 0 && dst == buffer) {
      // An invalid or cut-off sequence: replace one byte and resynchronise.
      out.append(replacement);
      ++src;
      --srcLeft;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string ShiftJisToUtf8(std::string_view sjis) { return Convert(sjis, "CP932", "UTF-8", "\xEF\xBF\xBD"); }

std::string Utf8ToShiftJis(std::string_view utf8) { return Convert(utf8, "UTF-8", "CP932", "?"); }
