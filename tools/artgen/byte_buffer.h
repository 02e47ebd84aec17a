#pragma once
// Little- and big-endian field packing for the file formats we write.
#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

using Bytes = std::vector<std::uint8_t>;

inline void PutU8(Bytes& out, unsigned v) { out.push_back(static_cast<std::uint8_t>(v)); }
inline void PutLe16(Bytes& out, unsigned v) {
  PutU8(out, v & 0xFF);
  PutU8(out, (v >> 8) & 0xFF);
}
inline void PutLe32(Bytes& out, std::uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}
inline void PutBe32(Bytes& out, std::uint32_t v) {
  PutU8(out, v >> 24);
  PutU8(out, (v >> 16) & 0xFF);
  PutU8(out, (v >> 8) & 0xFF);
  PutU8(out, v & 0xFF);
}
inline void PutText(Bytes& out, const char* text) {
  for (; *text; ++text) PutU8(out, static_cast<unsigned char>(*text));
}

// Writes the bytes to path; false when the file cannot be written whole.
bool WriteFileBytes(const std::string& path, const Bytes& bytes);

}  // namespace artgen
