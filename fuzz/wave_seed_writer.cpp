// Writes a handful of valid wave files of every layout the reader takes
// into a folder, as the starting corpus of its fuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

std::string Le(std::uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

std::string Chunk(const std::string& id, const std::string& body) {
  return id + Le(static_cast<std::uint32_t>(body.size()), 4) + body + std::string(body.size() % 2, '\0');
}

std::string Format(int tag, int channels, int bits, const std::string& extension = {}) {
  const int align = channels * bits / 8;
  return Chunk("fmt ", Le(tag, 2) + Le(channels, 2) + Le(8000, 4) + Le(8000 * align, 4) + Le(align, 2) + Le(bits, 2) +
                           extension);
}

std::string Riff(const std::string& chunks) {
  return "RIFF" + Le(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wave-seed-writer FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const std::string samples("\x01\x80\xff\x7f\x00\x00\x10\x20\x30\x40\x50\x60", 12);
  // The extensible layout's 22 more bytes: valid bits, channel mask, and a
  // sub-format whose first two bytes name integer samples.
  const std::string extensible = Le(22, 2) + Le(16, 2) + Le(4, 4) + Le(1, 2) + std::string(14, '\0');
  const std::string files[] = {
      Riff(Format(1, 1, 8) + Chunk("data", samples)),
      Riff(Format(1, 2, 16) + Chunk("data", samples)),
      Riff(Format(1, 1, 24) + Chunk("data", samples)),
      Riff(Format(1, 1, 32) + Chunk("data", samples)),
      Riff(Format(3, 2, 32) + Chunk("data", samples)),
      Riff(Format(0xFFFE, 1, 16, extensible) + Chunk("data", samples)),
      Riff(Chunk("LIST", "abc") + Format(1, 1, 16) + Chunk("junk", "abcde") + Chunk("data", samples)),
      Riff(Format(1, 1, 16)) + "data" + Le(1 << 20, 4) + samples,  // claims more than it holds
  };
  int n = 0;
  for (const std::string& bytes : files) {
    const std::string name = (folder / ("seed-" + std::to_string(++n) + ".wav")).string();
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) return 1;
    std::fclose(f);
  }
  return 0;
}
