#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Decoders of the compiled forms of the standard resource kinds. Texts come
// out as UTF-8. Each returns false with a message when the bytes are cut
// short or malformed.

// A string block holds 16 strings; block b holds ids (b - 1) * 16 .. + 15.
// Empty slots are left out of the map.
bool DecodeStringBlock(const std::vector<std::uint8_t>& data, std::uint16_t blockName,
                       std::map<std::uint16_t, std::string>& strings, std::string& error);

struct MenuItem {
  std::uint16_t flags = 0;  // as stored, without the end-of-level bit
  std::uint16_t command = 0;  // 0 for a popup
  std::string text;
  std::vector<MenuItem> children;  // a popup's items
};
bool DecodeMenu(const std::vector<std::uint8_t>& data, std::vector<MenuItem>& items, std::string& error);

struct Accelerator {
  std::uint16_t flags = 0;  // without the end-of-table bit
  std::uint16_t key = 0;
  std::uint16_t command = 0;
};
bool DecodeAccelerators(const std::vector<std::uint8_t>& data, std::vector<Accelerator>& table,
                        std::string& error);

// A string, or a number stored in its place (0xFFFF then the number).
struct TextOrNumber {
  bool isNumber = false;
  std::uint16_t number = 0;
  std::string text;
  bool IsEmpty() const { return !isNumber && text.empty(); }
};

struct DialogControl {
  std::uint32_t style = 0;
  std::uint32_t extendedStyle = 0;
  std::int16_t x = 0, y = 0, width = 0, height = 0;
  std::uint16_t id = 0;
  TextOrNumber windowClass;
  TextOrNumber title;
  std::uint16_t extraBytes = 0;
};

struct Dialog {
  std::uint32_t style = 0;
  std::uint32_t extendedStyle = 0;
  std::int16_t x = 0, y = 0, width = 0, height = 0;
  TextOrNumber menu;
  TextOrNumber windowClass;
  std::string caption;
  bool hasFont = false;
  std::uint16_t pointSize = 0;
  std::string typeface;
  std::vector<DialogControl> controls;
};
// The classic dialog template (not the extended one, which is reported as
// an error).
bool DecodeDialog(const std::vector<std::uint8_t>& data, Dialog& dialog, std::string& error);

struct IconGroupEntry {
  std::uint8_t width = 0, height = 0, colourCount = 0;
  std::uint16_t planes = 0, bitCount = 0;
  std::uint32_t bytes = 0;
  std::uint16_t iconId = 0;
};
bool DecodeIconGroup(const std::vector<std::uint8_t>& data, std::vector<IconGroupEntry>& entries,
                     std::string& error);

// The header of one icon image: a DIB whose height counts the colour and
// the mask rows together.
struct IconImage {
  std::int32_t width = 0;
  std::int32_t height = 0;  // as stored: twice the icon's height
  std::uint16_t bitCount = 0;
};
bool DecodeIconImage(const std::vector<std::uint8_t>& data, IconImage& image, std::string& error);
