#include "platform/windows/gothic_face.h"

#include <windows.h>

#include <string>

namespace {

// Each face under its English and its Japanese name: which of the two GDI
// lists depends on the system's language.
constexpr const wchar_t* kSystemFaces[] = {
    L"MS Gothic", L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF",  // ＭＳ ゴシック
    L"Meiryo",    L"\x30E1\x30A4\x30EA\x30AA",               // メイリオ
    L"Yu Gothic", L"\x6E38\x30B4\x30B7\x30C3\x30AF",         // 游ゴシック
};
constexpr wchar_t kShippedFace[] = L"IPAGothic";

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(const wchar_t* face) {
  HDC dc = GetDC(nullptr);
  if (!dc) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

std::wstring BesideExecutable(const wchar_t* fileName) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
    path.resize(path.size() * 2);
  path.resize(length);
  const std::size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return path + fileName;
}

const wchar_t* ChooseFace() {
  for (const wchar_t* face : kSystemFaces)
    if (FaceInstalled(face)) return face;
  if (FaceInstalled(kShippedFace)) return kShippedFace;
  const std::wstring shipped = BesideExecutable(kShippedGothicFile);
  if (AddFontResourceExW(shipped.c_str(), FR_PRIVATE, nullptr) > 0 && FaceInstalled(kShippedFace)) return kShippedFace;
  return nullptr;
}

}  // namespace

const wchar_t* GothicFaceName() {
  static const wchar_t* const face = ChooseFace();
  return face;
}
