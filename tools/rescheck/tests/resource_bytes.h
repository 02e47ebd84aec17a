#pragma once
// Builders of compiled resource bytes and of a minimal PE file holding them,
// so the decoders and the checker can be fed exactly the faults to catch.
#include <cstdint>
#include <string>
#include <vector>

#include "pe_resources.h"

class Bytes {
 public:
  Bytes& U8(std::uint8_t v);
  Bytes& U16(std::uint16_t v);
  Bytes& U32(std::uint32_t v);
  Bytes& Text(const std::u16string& s);  // zero-terminated
  Bytes& Align(std::size_t n);
  Bytes& Append(const std::vector<std::uint8_t>& other);
  std::size_t Size() const { return data.size(); }
  void Put32At(std::size_t offset, std::uint32_t v);
  std::vector<std::uint8_t> data;
};

std::u16string U16(const std::string& utf8);

struct MenuSpec {
  std::u16string popup;
  std::vector<std::pair<std::uint16_t, std::u16string>> items;  // command, text
};
std::vector<std::uint8_t> MenuBytes(const std::vector<MenuSpec>& popups);

struct AccelSpec {
  std::uint16_t flags, key, command;
};
std::vector<std::uint8_t> AcceleratorBytes(const std::vector<AccelSpec>& entries);

// Slot texts of one block, index 0..15.
std::vector<std::uint8_t> StringBlockBytes(const std::vector<std::u16string>& slots);

struct ControlSpec {
  std::uint32_t style;
  std::int16_t x, y, w, h;
  std::uint16_t id;
  std::uint16_t classAtom;
  bool titleIsNumber;
  std::uint16_t titleNumber;
  std::u16string title;
  std::vector<std::uint8_t> extra;
};
struct DialogSpec {
  std::uint32_t style;
  std::int16_t x, y, w, h;
  std::u16string caption;
  std::uint16_t pointSize;
  std::u16string typeface;
  std::vector<ControlSpec> controls;
};
std::vector<std::uint8_t> DialogBytes(const DialogSpec& d);

struct IconSpec {
  std::uint8_t size;
  std::uint16_t bitCount;
  std::uint16_t id;
};
std::vector<std::uint8_t> IconGroupBytes(const std::vector<IconSpec>& icons, const std::vector<std::uint32_t>& byteCounts);
// A DIB icon image of `size` pixels square at `bitCount` bits per pixel.
std::vector<std::uint8_t> IconImageBytes(int size, std::uint16_t bitCount);

Resource MakeResource(std::uint16_t type, std::uint16_t name, std::uint16_t language, std::vector<std::uint8_t> data);

// A 64-bit PE file with one resource section holding `resources`.
std::vector<std::uint8_t> BuildPe(const std::vector<Resource>& resources, std::uint16_t subsystem = 2);
// Where BuildPe placed the resource section in the file.
inline constexpr std::size_t kResourceSectionOffset = 0x200;
