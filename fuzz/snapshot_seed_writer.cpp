// Writes snapshots of real games, from the first tick to a crowded table,
// into a folder, as the starting corpus of the snapshot fuzzer.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/snapshot_game.h"
#include "cabinet/snapshot.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: snapshot-seed-writer DIR\n");
    return 2;
  }
  std::filesystem::create_directories(argv[1]);
  int n = 0;
  for (int ticks : {0, 1, 40, 400}) {
    PlaySnapshotGame(ticks);
    const std::vector<std::uint8_t> bytes = SaveSnapshot();
    std::ofstream out(std::filesystem::path(argv[1]) / ("seed-" + std::to_string(++n) + ".snap"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return 1;
  }
  return 0;
}
