// marobel-artgen OUTDIR: draws and synthesises every picture, sound and icon
// of the game and writes them into OUTDIR under the names the game reads.
#include <cstdio>

#include "tools/artgen/asset_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: marobel-artgen OUTDIR\n");
    return 2;
  }
  const artgen::WriteResult result = artgen::WriteAllAssets(argv[1]);
  for (const std::string& path : result.failed) std::fprintf(stderr, "marobel-artgen: cannot write %s\n", path.c_str());
  return result.ok ? 0 : 1;
}
