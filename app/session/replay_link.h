#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/session/key_script.h"

// A replay link carries a whole game: the page's address ends in
// "#play=" and the game's key script, compressed as raw deflate and written
// in base64url (no padding needed). Anyone may make one, so reading it
// trusts nothing: the page bounds the link's text, and unpacks it with the
// browser's own inflater, stopping at the script's bound as it streams; the
// script is then parsed here as strictly as a file would be, and must be in
// the form the page writes: presses only, after a free-play game's credits
// line.

// Well within what a browser keeps in an address, and far beyond any game:
// an hour of the most eager play makes a few thousand characters.
inline constexpr std::size_t kMaxReplayLinkChars = 1'000'000;
// The longest line a link's script may have: the page writes lines of a few
// dozen characters, and a longer one is refused before it is parsed.
inline constexpr std::size_t kMaxReplayLineChars = 256;
// The key script a link may unpack to. Deflate expands up to 1032 times, so
// without this bound a small link could ask for gigabytes.
inline constexpr std::size_t kMaxReplayScriptBytes = 8u << 20;

struct ReplayLinkResult {
  bool ok = false;
  std::string script;  // the key script the link carries
  KeyScriptResult keys;
  // The tick at which the game was shared, from the script's last line
  // "# ticks N": watching goes on to there. None in older links, which end
  // at their last press.
  std::optional<long long> endTick;
  std::string error;  // one line a player can read
};

// Why a link holds no game, in a player's words; `chars` is the link's length.
enum class LinkRefusal { TooLong, NotALink, Damaged, TooLarge };
std::string ReplayLinkRefusal(LinkRefusal why, std::size_t chars = 0);

// A link's key script, unpacked, checked a slice at a time: a page reads a
// long one without keeping the browser from answering.
class ReplayScriptReader {
 public:
  explicit ReplayScriptReader(std::string script);
  // Reads on for about `bytes` more bytes of the script, whole lines.
  // True while there is more to read.
  bool Step(std::size_t bytes);
  double Progress() const { return script_.empty() ? 1.0 : static_cast<double>(at_) / script_.size(); }
  // Once Step has returned false: the script's game, or why it is none.
  ReplayLinkResult Finish();

 private:
  bool Refuse(long long line, const std::string& reason);

  std::string script_;
  std::size_t at_ = 0;
  long long line_ = 0;  // lines read so far
  long long lastTick_ = 0;
  bool failed_ = false;
  std::string error_;
  KeyScriptResult keys_;
  std::optional<long long> endTick_;
};

// The last line of a shared link's script: the tick Share was pressed at.
std::string SharedAtTickLine(long long tick);

// The key script a link carries for these presses: the starting credits
// line of a free-play game, one line per press, and with `endTick` the
// tick the game was shared at as its last line.
std::string ReplayScript(const std::vector<KeyPress>& presses, std::optional<long long> startingCredits,
                         std::optional<long long> endTick = std::nullopt);
