#include "app/win32/menu_bar.h"

#include <cstdint>
#include <set>
#include <vector>

#include "app/win32/utf16_text.h"

namespace {

using Kind = MenuEntry::Kind;

// The key goes after a tab, where the system shows it right-aligned.
std::wstring ItemText(const MenuEntry& entry) {
  return WideFromUtf8(entry.keys.empty() ? entry.text : entry.text + "\t" + entry.keys);
}

void AppendEntries(HMENU menu, const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& entry : entries) {
    if (entry.kind == Kind::Separator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (entry.kind == Kind::Submenu) {
      HMENU submenu = CreatePopupMenu();
      AppendEntries(submenu, entry.entries);
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), ItemText(entry).c_str());
    } else {
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(entry.command), ItemText(entry).c_str());
    }
  }
}

void CollectRadios(const std::vector<MenuEntry>& entries, std::set<int>& radios) {
  for (const MenuEntry& entry : entries) {
    if (entry.kind == Kind::Radio) radios.insert(entry.command);
    CollectRadios(entry.entries, radios);
  }
}

// The radio items are the same in every language; the resource menu does
// not mark them, so they are marked as they open.
bool IsRadio(int command) {
  static const std::set<int> radios = [] {
    std::set<int> found;
    for (const MenuDescription& menu : ShellMenus(Language::English)) CollectRadios(menu.entries, found);
    return found;
  }();
  return radios.count(command) != 0;
}

}  // namespace

HMENU BuildMenuBar(Language language) {
  HMENU bar = CreateMenu();
  for (const MenuDescription& menu : ShellMenus(language)) {
    HMENU popup = CreatePopupMenu();
    AppendEntries(popup, menu.entries);
    AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), WideFromUtf8(menu.title).c_str());
  }
  return bar;
}

void ShowMenuState(HMENU popup, const ShellState& state) {
  const int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(popup, i);
    if (id == static_cast<UINT>(-1) || id == 0) continue;  // a submenu or a separator
    const int command = static_cast<int>(id);
    if (IsRadio(command)) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE;
      GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info);
      info.fType |= MFT_RADIOCHECK;
      SetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info);
    }
    CheckMenuItem(popup, id, MF_BYCOMMAND | (MenuItemChecked(command, state) ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(popup, id, MF_BYCOMMAND | (MenuItemEnabled(command, state) ? MF_ENABLED : MF_GRAYED));
  }
}

namespace {

// The pixels `text` leaves on a white ground of the bitmap `dc` draws into.
std::vector<std::uint32_t> InkOf(HDC dc, const std::uint32_t* bits, int side, const wchar_t* text) {
  RECT all{0, 0, side, side};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawTextW(dc, text, -1, &all, DT_SINGLELINE | DT_NOPREFIX);
  GdiFlush();
  return std::vector<std::uint32_t>(bits, bits + side * side);
}

bool MeasureMenusDrawJapanese() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return true;
  constexpr int kSide = 64;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kSide;
  info.bmiHeader.biHeight = -kSide;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
  // Unknown stays as the language asks.
  bool draws = true;
  if (dc && bitmap && bits && font) {
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    // Two different kana: a face without them draws the same box for both,
    // or nothing.
    draws = InkOf(dc, pixels, kSide, L"\x30E1") != InkOf(dc, pixels, kSide, L"\x30CB");
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
  }
  if (font) DeleteObject(font);
  if (bitmap) DeleteObject(bitmap);
  if (dc) DeleteDC(dc);
  return draws;
}

}  // namespace

bool MenusDrawJapanese() {
  static const bool draws = MeasureMenusDrawJapanese();
  return draws;
}
