#pragma once
// Builders of compiled resource bytes and of a minimal PE file holding them,
// so the decoders and the checker can be fed exactly the faults to catch.
// They take the decoders' own structures, texts in UTF-8.
#include <cstdint>
#include <string>
#include <vector>

#include "pe_resources.h"
#include "resource_formats.h"

using Data = std::vector<std::uint8_t>;

std::u16string U16(const std::string& utf8);  // the Basic Multilingual Plane only

struct Bytes {
  Data data;
  std::size_t Size() const { return data.size(); }
  Bytes& U8(unsigned v) { data.push_back(static_cast<std::uint8_t>(v)); return *this; }
  Bytes& U16(unsigned v) { return U8(v & 0xFF).U8(v >> 8 & 0xFF); }
  Bytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  // Zero-terminated UTF-16.
  Bytes& Text(const std::string& utf8) { for (char16_t c : ::U16(utf8)) U16(c); return U16(0); }
  Bytes& Field(const TextOrNumber& t) { return t.isNumber ? U16(0xFFFF).U16(t.number) : Text(t.text); }
  Bytes& Append(const Data& more) { data.insert(data.end(), more.begin(), more.end()); return *this; }
  Bytes& Pad(std::size_t size) { data.resize(size); return *this; }
  Bytes& Align(std::size_t n) { return Pad((Size() + n - 1) / n * n); }
  Bytes& Put32At(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) data.at(at + i) = v >> 8 * i & 0xFF;
    return *this;
  }
};

Data StringBlockBytes(const std::vector<std::string>& slots);  // up to 16
Data MenuBytes(const std::vector<MenuItem>& items, bool withHeader = true);  // popups: flags with 0x10
Data AcceleratorBytes(const std::vector<Accelerator>& table);
Data DialogBytes(const Dialog& dialog);  // a control's extra bytes are zeros
Data IconGroupBytes(const std::vector<IconGroupEntry>& entries);
Data IconImageBytes(int size, std::uint16_t bitCount);  // a square DIB's header, then its pixel bytes

inline Resource Res(std::uint16_t type, std::uint16_t name, Data data, std::uint16_t language = 0x411) {
  return {ResourceName::Number(type), ResourceName::Number(name), language, std::move(data)};
}

// A 64-bit PE file with one resource section at file offset 0x200. Its tree:
// the root directory (16 bytes, then 8 per resource), then for each resource
// 64 bytes: its type directory, its name directory (24 bytes each) and its
// data entry (address, then size).
Data BuildPe(const std::vector<Resource>& resources, std::uint16_t subsystem = 2);
inline constexpr std::size_t kResourceSectionOffset = 0x200;
