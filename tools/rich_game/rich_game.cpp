#include "tools/rich_game/rich_game.h"

namespace {

// SplitMix64: fixed arithmetic, unlike the standard library's distributions,
// so the scripts cannot drift between compilers.
class Stream {
 public:
  explicit Stream(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

void Press(std::string& out, long long tick, const char* key) {
  out += std::to_string(tick);
  out += ' ';
  out += key;
  out += '\n';
}

// Both lanes, one to three presses each, in a shuffled order.
void SteadyTick(std::string& out, Stream& rng, long long tick) {
  int left = 1 + rng.Below(3), right = 1 + rng.Below(3);
  while (left + right > 0) {
    const bool goLeft = right == 0 || (left > 0 && rng.Below(2) == 0);
    Press(out, tick, goLeft ? "left" : "right");
    --(goLeft ? left : right);
  }
}

void Burst(std::string& out, Stream& rng, long long tick) {
  const char* lane = rng.Below(2) ? "left" : "right";
  for (int n = 5 + rng.Below(36); n > 0; --n) Press(out, tick, lane);
}

}  // namespace

bool ParseRichStyle(std::string_view name, RichStyle& style) {
  if (name == "steady")
    style = RichStyle::Steady;
  else if (name == "bursts")
    style = RichStyle::Bursts;
  else if (name == "mixed")
    style = RichStyle::Mixed;
  else
    return false;
  return true;
}

std::string RichGameKeys(RichStyle style, std::uint64_t seed, long long ticks) {
  Stream rng(seed);
  std::string out;
  // Mixed games change phase every 50 to 300 ticks.
  int phase = 0;
  long long phaseEnd = 0;
  for (long long tick = 1; tick <= ticks; ++tick) {
    if (style == RichStyle::Steady) {
      SteadyTick(out, rng, tick);
    } else if (style == RichStyle::Bursts) {
      if (rng.Below(25) == 0) Burst(out, rng, tick);
    } else {
      if (tick > phaseEnd) {
        phase = rng.Below(3);
        phaseEnd = tick + 50 + rng.Below(251);
      }
      if (phase == 0)
        SteadyTick(out, rng, tick);
      else if (phase == 1 && rng.Below(15) == 0)
        Burst(out, rng, tick);
      if (rng.Below(40) == 0) Press(out, tick, rng.Below(2) ? "0x20" : "65");
    }
  }
  return out;
}
