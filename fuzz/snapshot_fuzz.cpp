// libFuzzer target: any bytes offered as a snapshot, as they are and with
// their checksum made to match (so that mutations reach the checks of the
// contents). A refused snapshot must leave the running game as it was and
// say why in one line; an accepted one must save back to the same bytes
// and play on.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/snapshot_game.h"
#include "cabinet/snapshot.h"
#include "cabinet/tick.h"

namespace {

void Check(bool condition, const char* property) {
  if (condition) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

// The game every input is loaded over, and its snapshot.
const std::vector<std::uint8_t>& RunningGame() {
  static const std::vector<std::uint8_t> bytes = [] {
    PlaySnapshotGame(60);
    return SaveSnapshot();
  }();
  return bytes;
}

void Offer(const std::vector<std::uint8_t>& input) {
  const std::vector<std::uint8_t>& running = RunningGame();
  std::string error;
  if (!LoadSnapshot(input.data(), input.size(), error)) {
    Check(!error.empty() && error.find('\n') == std::string::npos, "a refusal is one line");
    Check(SaveSnapshot() == running, "a refused snapshot changes nothing");
    return;
  }
  Check(SaveSnapshot() == input, "an accepted snapshot saves back to the same bytes");
  GameTick();
  Check(LoadSnapshot(running.data(), running.size(), error), "the running game's own snapshot loads");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> input(data, data + size);
  Offer(input);
  if (size >= 4) {
    const std::uint32_t crc = SnapshotChecksum(input.data(), size - 4);
    for (int i = 0; i < 4; ++i) input[size - 4 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    Offer(input);
  }
  return 0;
}
