// Writes a handful of valid bitmap files of every supported kind into a
// folder, as the starting corpus of the reader's fuzzer.
#include <cstdio>
#include <string>

#include "tests/bmp_test_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bmp-seed-writer FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  Picture picture{3, 2, {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF, 0, 0x00808080}};
  using bmp_test::BmpOptions;
  const BmpOptions kinds[] = {
      {1},
      {4},
      {8},
      {8, true},
      {16},
      {16, false, 40, true},
      {24},
      {24, true},
      {32},
      {32, false, 40, true},
      {32, true, 108, true},
      {32, false, 124, true},
      {24, false, 124},
      {8, false, 12},
      {24, false, 12},
  };
  int n = 0;
  for (const BmpOptions& o : kinds) {
    Picture p = picture;
    if (o.bitCount == 1) p = bmp_test::Solid(3, 2, 0x00FFFFFF);
    const std::string bytes = bmp_test::EncodeBmp(p, o);
    const std::string name = (folder / ("seed-" + std::to_string(++n) + ".bmp")).string();
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) return 1;
    std::fclose(f);
  }
  return 0;
}
