// Reading a bitmap file is the one place where bytes from outside meet the
// game, so every field is treated as hostile: sizes are checked in 64-bit
// arithmetic before they are used, every read goes through a bounds check,
// and nothing is allocated until the file has been shown to hold all the
// pixel rows its header promises.
#include "canvas/bmp_reader.h"

#include <array>
#include <bit>
#include <utility>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV2HeaderSize = 52;
constexpr std::uint32_t kV3HeaderSize = 56;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Has(std::uint64_t offset, std::uint64_t count) const { return offset <= size_ && count <= size_ - offset; }
  std::uint16_t U16(std::size_t at) const { return static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8); }
  std::uint32_t U32(std::size_t at) const {
    return static_cast<std::uint32_t>(data_[at]) | static_cast<std::uint32_t>(data_[at + 1]) << 8 |
           static_cast<std::uint32_t>(data_[at + 2]) << 16 | static_cast<std::uint32_t>(data_[at + 3]) << 24;
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  const std::uint8_t* At(std::size_t at) const { return data_ + at; }
  std::size_t Size() const { return size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// One colour channel held in a bit field of the pixel word.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  // A mask must be one run of set bits; an empty mask reads as 0.
  bool Set(std::uint32_t m) {
    mask = m;
    if (m == 0) return true;
    shift = std::countr_zero(m);
    bits = std::popcount(m);
    const std::uint64_t run = static_cast<std::uint64_t>(m) >> shift;
    return (run & (run + 1)) == 0;
  }
  std::uint32_t Extract(std::uint32_t word) const {
    if (mask == 0) return 0;
    const std::uint32_t v = (word & mask) >> shift;
    if (bits >= 8) return v >> (bits - 8);
    return v * 255u / ((1u << bits) - 1u);
  }
};

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;  // always positive here
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = kBiRgb;
  std::uint64_t paletteStart = 0;
  std::uint32_t paletteEntrySize = 4;
  std::uint64_t paletteDeclared = 0;
  Channel red, green, blue;
  std::uint64_t pixelOffset = 0;
};

bool ReadLayout(const ByteReader& in, Layout& layout) {
  if (!in.Has(0, kFileHeaderSize + 4)) return false;
  if (in.At(0)[0] != 'B' || in.At(0)[1] != 'M') return false;
  layout.pixelOffset = in.U32(10);
  const std::uint32_t headerSize = in.U32(kFileHeaderSize);
  if (!in.Has(kFileHeaderSize, headerSize)) return false;
  const std::size_t h = kFileHeaderSize;

  std::uint32_t colorsUsed = 0;
  std::uint64_t afterHeader = kFileHeaderSize + std::uint64_t{headerSize};
  if (headerSize == kCoreHeaderSize) {
    layout.width = in.U16(h + 4);
    layout.height = in.U16(h + 6);
    if (in.U16(h + 8) != 1) return false;
    layout.bitCount = in.U16(h + 10);
    layout.paletteEntrySize = 3;
  } else if (headerSize == kInfoHeaderSize || headerSize == kV2HeaderSize || headerSize == kV3HeaderSize ||
             headerSize == kV4HeaderSize || headerSize == kV5HeaderSize) {
    layout.width = in.I32(h + 4);
    const std::int64_t rawHeight = in.I32(h + 8);
    layout.topDown = rawHeight < 0;
    layout.height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (in.U16(h + 12) != 1) return false;
    layout.bitCount = in.U16(h + 14);
    layout.compression = in.U32(h + 16);
    colorsUsed = in.U32(h + 32);
    if (layout.compression == kBiBitfields) {
      // The plain info header keeps its three masks just after itself; the
      // larger headers carry them inside.
      std::uint64_t maskAt = h + 40;
      if (headerSize == kInfoHeaderSize) {
        if (!in.Has(maskAt, 12)) return false;
        afterHeader += 12;
      }
      if (!layout.red.Set(in.U32(maskAt)) || !layout.green.Set(in.U32(maskAt + 4)) ||
          !layout.blue.Set(in.U32(maskAt + 8)))
        return false;
    }
  } else {
    return false;
  }

  if (layout.width <= 0 || layout.height <= 0) return false;
  if (layout.width > kMaxBmpSide || layout.height > kMaxBmpSide) return false;
  if (layout.width * layout.height > kMaxBmpPixels) return false;

  switch (layout.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
      if (layout.compression != kBiRgb) return false;
      break;
    case 16:
    case 32:
      if (layout.compression == kBiRgb) {
        const bool wide = layout.bitCount == 32;
        layout.red.Set(wide ? 0x00FF0000u : 0x7C00u);
        layout.green.Set(wide ? 0x0000FF00u : 0x03E0u);
        layout.blue.Set(wide ? 0x000000FFu : 0x001Fu);
      } else if (layout.compression != kBiBitfields || headerSize == kCoreHeaderSize) {
        return false;
      }
      break;
    default:
      return false;
  }

  layout.paletteStart = afterHeader;
  if (layout.bitCount <= 8) {
    const std::uint64_t full = std::uint64_t{1} << layout.bitCount;
    layout.paletteDeclared = (colorsUsed == 0 || colorsUsed > full) ? full : colorsUsed;
  }
  // Pixels may not start inside the headers; a gap after the palette is fine.
  if (layout.pixelOffset < afterHeader) return false;
  return true;
}

}  // namespace

bool DecodeBmp(const std::uint8_t* data, std::size_t size, Picture& out) {
  out = Picture{};
  if (data == nullptr) return false;
  const ByteReader in(data, size);
  Layout layout;
  if (!ReadLayout(in, layout)) return false;

  const std::uint64_t rowBits = static_cast<std::uint64_t>(layout.width) * layout.bitCount;
  const std::uint64_t stride = (rowBits + 31) / 32 * 4;
  const std::uint64_t rowBytes = (rowBits + 7) / 8;
  // The last row may lack its padding; every row's pixels must be there.
  const std::uint64_t needed = stride * static_cast<std::uint64_t>(layout.height - 1) + rowBytes;
  if (!in.Has(layout.pixelOffset, needed)) return false;

  // Palette entries that the file does not hold (or that would run into the
  // pixels) read as black rather than as pixel bytes.
  std::array<std::uint32_t, 256> palette{};
  if (layout.bitCount <= 8) {
    const std::uint64_t end = layout.pixelOffset;
    const std::uint64_t room = end > layout.paletteStart ? (end - layout.paletteStart) / layout.paletteEntrySize : 0;
    const std::uint64_t count = room < layout.paletteDeclared ? room : layout.paletteDeclared;
    for (std::uint64_t i = 0; i < count; ++i) {
      const std::uint64_t at = layout.paletteStart + i * layout.paletteEntrySize;
      if (!in.Has(at, 3)) break;
      const std::uint8_t* e = in.At(static_cast<std::size_t>(at));
      palette[i] = static_cast<std::uint32_t>(e[2]) << 16 | static_cast<std::uint32_t>(e[1]) << 8 | e[0];
    }
  }

  const int width = static_cast<int>(layout.width);
  const int height = static_cast<int>(layout.height);
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));

  for (int fileRow = 0; fileRow < height; ++fileRow) {
    const std::uint8_t* row = in.At(static_cast<std::size_t>(layout.pixelOffset + stride * fileRow));
    const int y = layout.topDown ? fileRow : height - 1 - fileRow;
    std::uint32_t* dst = picture.pixels.data() + static_cast<std::size_t>(y) * width;
    switch (layout.bitCount) {
      case 1:
        for (int x = 0; x < width; ++x) dst[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
        break;
      case 4:
        for (int x = 0; x < width; ++x) dst[x] = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
        break;
      case 8:
        for (int x = 0; x < width; ++x) dst[x] = palette[row[x]];
        break;
      case 24:
        for (int x = 0; x < width; ++x) {
          const std::uint8_t* p = row + 3 * x;
          dst[x] = static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
        }
        break;
      case 16:
      case 32: {
        const int bytes = layout.bitCount / 8;
        for (int x = 0; x < width; ++x) {
          const std::size_t at = static_cast<std::size_t>(row - data) + static_cast<std::size_t>(bytes) * x;
          const std::uint32_t word = bytes == 2 ? in.U16(at) : in.U32(at);
          dst[x] = layout.red.Extract(word) << 16 | layout.green.Extract(word) << 8 | layout.blue.Extract(word);
        }
        break;
      }
    }
  }
  out = std::move(picture);
  return true;
}
