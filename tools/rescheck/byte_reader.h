#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Little-endian reads over a byte buffer. Every read is bounds-checked: a
// read past the end sets the failed flag and yields zeros, so a decoder can
// run to its end and report one error instead of reading stray memory.
class ByteReader {
 public:
  explicit ByteReader(const std::vector<std::uint8_t>& bytes, std::size_t offset = 0)
      : bytes_(bytes), offset_(offset) {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  // A zero-terminated UTF-16 string.
  std::u16string Utf16z();
  // Skips to the next multiple of `alignment`, counted from the buffer start.
  void Align(std::size_t alignment);
  void Skip(std::size_t count);

  std::size_t Offset() const { return offset_; }
  bool AtEnd() const { return offset_ >= bytes_.size(); }
  bool Failed() const { return failed_; }

 private:
  bool Have(std::size_t count);

  const std::vector<std::uint8_t>& bytes_;
  std::size_t offset_;
  bool failed_ = false;
};

std::string Utf16ToUtf8(const std::u16string& text);
