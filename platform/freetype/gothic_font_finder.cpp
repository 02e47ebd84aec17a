#include "platform/freetype/gothic_font_finder.h"

#include <fontconfig/fontconfig.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MAROBEL_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MAROBEL_ADDRESS_SANITIZER 1
#endif

#ifdef MAROBEL_ADDRESS_SANITIZER
// fontconfig's configuration parser loses a few hundred bytes once per
// process while FcInit reads the system's font configuration. It is not
// ours to free, and it would fail every sanitised run that draws text.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
// Nor should the note that it was suppressed land on the standard error of
// every sanitised run, where the programs' one-line messages are checked.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif

namespace {

// In order of preference. The first two are the face the game names, under
// its Japanese and its English family name.
const char* const kPreferredFamilies[] = {
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",  // ＭＳ ゴシック
    "MS Gothic",
    "IPAGothic",
    "IPAexGothic",
    "Noto Sans Mono CJK JP",
    "Noto Sans CJK JP",
    "VL Gothic",
    "TakaoGothic",
    "Source Han Sans JP",
};

// A character every candidate must have: the counter the credit line ends with.
constexpr FcChar32 kProbeCharacter = 0x679A;  // 枚

bool FamilyMatches(FcPattern* font, const char* wanted) {
  FcChar8* family = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(wanted)) == 0) return true;
  }
  return false;
}

bool CoversJapanese(FcPattern* font) {
  FcCharSet* chars = nullptr;
  return FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) == FcResultMatch && FcCharSetHasChar(chars, kProbeCharacter);
}

// The best match for a family name (or generic name) with Japanese as the
// language; `exact` asks that the match really be that family.
bool Match(FcConfig* config, const char* family, bool exact, FontFileRef& font) {
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* matched = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!matched) return false;
  bool found = false;
  FcChar8* file = nullptr;
  if ((!exact || FamilyMatches(matched, family)) && CoversJapanese(matched) &&
      FcPatternGetString(matched, FC_FILE, 0, &file) == FcResultMatch) {
    int index = 0;
    FcPatternGetInteger(matched, FC_INDEX, 0, &index);
    font.path = reinterpret_cast<const char*>(file);
    font.faceIndex = index;
    found = true;
  }
  FcPatternDestroy(matched);
  return found;
}

}  // namespace

bool FindGothicFontFile(FontFileRef& font) {
  if (!FcInit()) return false;
  FcConfig* config = FcConfigGetCurrent();
  for (const char* family : kPreferredFamilies) {
    if (Match(config, family, true, font)) return true;
  }
  return Match(config, "monospace", false, font) || Match(config, "sans-serif", false, font);
}
