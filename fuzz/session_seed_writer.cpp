// Writes the starting corpus of the key-script or the runner-option fuzzer
// into a folder: well-formed inputs of every kind the format allows, a long
// generated game, and a few near misses the parser must reject.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/seed_files.h"

namespace {

// A game as a player might record it: bursts of presses in both lanes.
std::string GeneratedGame(unsigned seed, int ticks) {
  std::mt19937 rng(seed);
  std::string text = "# generated game\n";
  for (int t = 1; t <= ticks; ++t) {
    const int presses = static_cast<int>(rng() % 8) < 2 ? static_cast<int>(rng() % 3) + 1 : 0;
    for (int i = 0; i < presses; ++i) text += std::to_string(t) + (rng() % 2 ? " left\n" : " right\n");
  }
  return text;
}

std::vector<std::string> KeyScripts() {
  return {
      "5 right\n",
      "# opening\n\n5 right\n5 left  # same tick\n7 0x27\r\n9 37\n  12\tright\n",
      "1 0x25\n1 0X27\n2 65\n3 0xffff\n3 0\n",
      "000010 right\n10 left",
      GeneratedGame(7, 400),
      "5 right\n4 left\n",
      "0 right\n",
      "3 up\n",
      "3 right left\n",
      "1 70000\n",
      // As replay links carry them: a free-play game shared at a tick.
      "# credits 300\n1 left\n40 right\n# ticks 95\n",
      "5 right\n# ticks 4\n",
      "3 left\n# ticks 9\n12 right\n",
      "5 right\n" + std::string(300, ' ') + "\n9 left\n",
  };
}

// Arguments joined by NUL bytes, as the option fuzzer splits them.
std::vector<std::string> CommandLines() {
  const std::vector<std::vector<std::string>> lines = {
      {},
      {"--ticks", "3000", "--credits", "100000", "--trace", "/dev/null"},
      {"--ticks=0", "--credits=1000000000", "--draws", "--assets", "a"},
      {"--keys", "game.keys", "--frames", "out", "--trace", "-"},
      {"--ticks", "1000000000000", "--keys=k", "--frames=f", "--assets=a", "--trace=t"},
      {"--help"},
      {"--ticks", "-1"},
      {"--credits", "1000000001"},
      {"--draws=yes"},
      {"--trace", ""},
  };
  std::vector<std::string> joined;
  for (const auto& args : lines) {
    std::string bytes;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (i > 0) bytes += '\0';
      bytes += args[i];
    }
    joined.push_back(bytes);
  }
  return joined;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view kind = argc == 3 ? argv[1] : "";
  if (kind != "key-script" && kind != "sim-options") {
    std::fprintf(stderr, "usage: session-seed-writer key-script|sim-options FOLDER\n");
    return 2;
  }
  return WriteSeedFiles(argv[2], kind == "key-script" ? KeyScripts() : CommandLines(), "session-seed-writer");
}
