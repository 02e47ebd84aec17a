#include "formats/png_writer.h"

#include <png.h>

#include "formats/whole_file.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Layout {
  int colourType;
  int channels;
  int compressionLevel;
};

// Where libpng's bytes go: an open file, or a buffer in memory.
struct Sink {
  std::FILE* file = nullptr;
  std::vector<std::uint8_t>* bytes = nullptr;
  bool failed = false;
};

void WriteData(png_structp png, png_bytep data, png_size_t length) {
  Sink& sink = *static_cast<Sink*>(png_get_io_ptr(png));
  if (sink.bytes)
    sink.bytes->insert(sink.bytes->end(), data, data + length);
  else if (std::fwrite(data, 1, length, sink.file) != length)
    sink.failed = true;
}

void FlushData(png_structp) {}

// `fillRow` puts row y of the picture into a buffer of width * channels bytes.
template <typename FillRow>
bool Encode(Sink& sink, int width, int height, Layout layout, FillRow fillRow) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(static_cast<std::size_t>(width) * layout.channels);
  bool ok = png && info;
  if (ok && setjmp(png_jmpbuf(png))) {
    ok = false;
  } else if (ok) {
    png_set_write_fn(png, &sink, WriteData, FlushData);
    png_set_compression_level(png, layout.compressionLevel);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, layout.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
      fillRow(y, row.data());
      png_write_row(png, row.data());
    }
    png_write_end(png, info);
  }
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  return ok && !sink.failed;
}

template <typename FillRow>
bool Write(const std::string& path, int width, int height, Layout layout, FillRow fillRow, std::string& error) {
  if (width <= 0 || height <= 0) {
    error = path + ": a PNG needs at least one pixel";
    return false;
  }
  WholeFile out;
  if (!out.Open(path, error)) return false;
  Sink sink;
  sink.file = out.Stream();
  if (!Encode(sink, width, height, layout, fillRow)) {
    error = path + ": the PNG could not be written";
    return false;
  }
  return out.Commit(error);
}

// Written once per build and shipped: worth the best compression.
constexpr Layout kRgbaLayout{PNG_COLOR_TYPE_RGB_ALPHA, 4, 9};

auto RgbaRows(const std::uint8_t* rgba, int width) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  return [=](int y, png_byte* row) { std::memcpy(row, rgba + static_cast<std::size_t>(y) * rowBytes, rowBytes); };
}

}  // namespace

bool WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height, std::string& error) {
  // Frames are written every tick; fast compression keeps runs quick.
  const Layout rgb{PNG_COLOR_TYPE_RGB, 3, 1};
  return Write(
      path, width, height, rgb,
      [&](int y, png_byte* row) {
        const std::uint32_t* src = pixels + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
          row[3 * x] = static_cast<png_byte>(src[x] >> 16);
          row[3 * x + 1] = static_cast<png_byte>(src[x] >> 8);
          row[3 * x + 2] = static_cast<png_byte>(src[x]);
        }
      },
      error);
}

bool WritePngRgba(const std::string& path, const std::uint8_t* rgba, int width, int height, std::string& error) {
  return Write(path, width, height, kRgbaLayout, RgbaRows(rgba, width), error);
}

std::vector<std::uint8_t> EncodePngRgba(const std::uint8_t* rgba, int width, int height) {
  std::vector<std::uint8_t> bytes;
  Sink sink;
  sink.bytes = &bytes;
  if (width <= 0 || height <= 0 || !Encode(sink, width, height, kRgbaLayout, RgbaRows(rgba, width))) bytes.clear();
  return bytes;
}
