#include "byte_reader.h"

bool ByteReader::Have(std::size_t count) {
  if (failed_ || offset_ > bytes_.size() || bytes_.size() - offset_ < count) {
    failed_ = true;
    return false;
  }
  return true;
}

std::uint8_t ByteReader::U8() {
  if (!Have(1)) return 0;
  return bytes_[offset_++];
}

std::uint16_t ByteReader::U16() {
  if (!Have(2)) return 0;
  const std::uint16_t value = static_cast<std::uint16_t>(bytes_[offset_] | (bytes_[offset_ + 1] << 8));
  offset_ += 2;
  return value;
}

std::uint32_t ByteReader::U32() {
  const std::uint32_t low = U16();
  const std::uint32_t high = U16();
  return low | (high << 16);
}

std::u16string ByteReader::Utf16z() {
  std::u16string text;
  for (;;) {
    const char16_t unit = U16();
    if (failed_ || unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

void ByteReader::Align(std::size_t alignment) {
  const std::size_t rest = offset_ % alignment;
  if (rest != 0) Skip(alignment - rest);
}

void ByteReader::Skip(std::size_t count) {
  if (Have(count)) offset_ += count;
}

std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;  // a lone surrogate
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}
