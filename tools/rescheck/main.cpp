// Checks the resources compiled into the game's Windows executable.
//   marobel-rescheck [--dump] marobel.exe
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "marobel_expectations.h"

int main(int argc, char** argv) {
  bool dump = false;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dump") == 0) dump = true;
    else path = argv[i];
  }
  if (!path) {
    std::fprintf(stderr, "usage: %s [--dump] marobel.exe\n", argv[0]);
    return 2;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read\n", path);
    return 2;
  }
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  PeImage image;
  std::string error;
  if (!ReadPeImage(bytes, image, error)) {
    std::fprintf(stderr, "%s: %s\n", path, error.c_str());
    return 1;
  }
  if (dump) std::fputs(DescribeResources(image).c_str(), stdout);
  const auto problems = CheckMarobelResources(image);
  for (const auto& p : problems) std::fprintf(stderr, "%s: %s\n", path, p.c_str());
  if (problems.empty()) std::printf("%s: resources as expected\n", path);
  return problems.empty() ? 0 : 1;
}
