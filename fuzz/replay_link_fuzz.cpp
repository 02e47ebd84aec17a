// libFuzzer target: replay links as anyone may make them. The first byte
// picks what the rest is: the text after "#play=" itself, the raw deflate
// bytes inside a link, or a key script packed as the simplest deflate
// stream. A refusal must be one short printable line; an accepted link must
// hold exactly the key script it unpacks to, within the size bound; and no
// bound may be crossed, however the stream is made.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "app/session/replay_link.h"

namespace {

void Check(bool condition, const char* property) {
  if (condition) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

void CheckAnswer(const ReplayLinkResult& r) {
  if (!r.ok) {
    Check(!r.error.empty() && r.error.size() <= 256, "a refusal is one short line");
    for (char c : r.error) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "a refusal has no control bytes");
    Check(r.script.empty() && r.keys.presses.empty(), "a refused link yields no game");
    return;
  }
  Check(r.error.empty(), "an accepted link has no error");
  Check(r.script.size() <= kMaxReplayScriptBytes, "the script stays within its bound");
  const KeyScriptResult again = ParseKeyScript(r.script);
  Check(again.ok && again.presses.size() == r.keys.presses.size() && again.startingCredits == r.keys.startingCredits,
        "the link's game is its script's");
  Check(!r.endTick || r.keys.presses.empty() || *r.endTick >= r.keys.presses.back().tick,
        "a link is shared no earlier than its last press");
}

// Read in slices of `slice` bytes, a script gives what it gives read whole.
void CheckSlices(std::string_view text, std::size_t slice) {
  ReplayScriptReader whole{std::string(text)};
  while (whole.Step(std::numeric_limits<std::size_t>::max())) {
  }
  ReplayScriptReader sliced{std::string(text)};
  while (sliced.Step(slice)) Check(sliced.Progress() < 1, "a reader with more to read has not read it all");
  const ReplayLinkResult a = whole.Finish(), b = sliced.Finish();
  Check(a.ok == b.ok && a.error == b.error && a.endTick == b.endTick && a.keys.presses.size() == b.keys.presses.size(),
        "slices read as the whole does");
}

// Stored blocks: the one deflate form whose bytes follow from the text alone.
std::vector<std::uint8_t> Stored(std::string_view text) {
  std::vector<std::uint8_t> out;
  do {
    const std::size_t n = text.size() < 65535 ? text.size() : 65535;
    out.push_back(n == text.size() ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n >> 8));
    out.push_back(static_cast<std::uint8_t>(~n));
    out.push_back(static_cast<std::uint8_t>(~n >> 8));
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    text.remove_prefix(n);
  } while (!text.empty());
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0] % 3;
  ++data;
  --size;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (mode == 0) {
    CheckAnswer(DecodeReplayLink(text));
  } else if (mode == 1) {
    const std::vector<std::uint8_t> packed(data, data + size);
    CheckAnswer(DecodeReplayLink(EncodeBase64Url(packed)));
    // A bound is a bound at any size: a small one cuts where a large one
    // does not, and what fits under both unpacks the same.
    std::string small, large, error;
    const bool smallOk = InflateRaw(data, size, 256, small, error);
    const bool largeOk = InflateRaw(data, size, 1u << 20, large, error);
    Check(small.size() <= 256, "the output stays within its bound");
    if (smallOk) Check(largeOk && small == large, "a larger bound changes nothing that fit the smaller");
    if (largeOk && large.size() <= 256) Check(smallOk, "what fits is never cut");
  } else {
    std::string out, error;
    const std::vector<std::uint8_t> packed = Stored(text);
    Check(InflateRaw(packed.data(), packed.size(), size, out, error) && out == text,
          "stored blocks unpack as they are");
    const ReplayLinkResult r = DecodeReplayLink(EncodeBase64Url(packed));
    CheckAnswer(r);
    const bool plain = text.find('#') == std::string_view::npos;
    if (plain && EncodeBase64Url(packed).size() <= kMaxReplayLinkChars)
      Check(r.ok == ParseKeyScript(text).ok, "a link holds any script of presses the parser takes");
    CheckSlices(text, 1 + size % 13);
  }
  return 0;
}
