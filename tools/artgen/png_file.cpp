#include "tools/artgen/png_file.h"

#include <algorithm>
#include <array>

namespace artgen {

namespace {

std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  PutText(out, type);
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

constexpr std::size_t kMaxStoredBlock = 65535;

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
  static const std::array<std::uint32_t, 256> table = MakeCrcTable();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t a = 1, b = 0;
  for (std::size_t i = 0; i < size; ++i) {
    a = (a + data[i]) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

Bytes EncodePng(const RgbaImage& image) {
  Bytes raw;
  raw.reserve(static_cast<std::size_t>(image.height) * (1 + 4 * image.width));
  for (int y = 0; y < image.height; ++y) {
    PutU8(raw, 0);  // filter: none
    for (int x = 0; x < image.width; ++x) {
      const Rgba& p = image.At(x, y);
      raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
    }
  }

  Bytes zlib;
  PutU8(zlib, 0x78);  // deflate, 32 KiB window
  PutU8(zlib, 0x01);  // no preset dictionary; header check makes 0x7801 a multiple of 31
  std::size_t done = 0;
  do {
    const std::size_t len = std::min(kMaxStoredBlock, raw.size() - done);
    const bool last = done + len == raw.size();
    PutU8(zlib, last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
    PutLe16(zlib, static_cast<unsigned>(len));
    PutLe16(zlib, static_cast<unsigned>(~len & 0xFFFF));
    zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(done),
                raw.begin() + static_cast<std::ptrdiff_t>(done + len));
    done += len;
  } while (done < raw.size());
  PutBe32(zlib, Adler32(raw.data(), raw.size()));

  Bytes header;
  PutBe32(header, static_cast<std::uint32_t>(image.width));
  PutBe32(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace

  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", zlib);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace artgen
