#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/session/key_script.h"

// A replay link carries a whole game: the page's address ends in
// "#play=" and the game's key script, compressed as raw deflate and written
// in base64url (no padding needed). Anyone may make one, so decoding it
// trusts nothing: the text is bounded before and after inflating, and the
// script is parsed as strictly as a file would be, and must be in the form
// the page writes: presses only, after a free-play game's credits line.

inline constexpr std::string_view kReplayLinkPrefix = "#play=";
// Well within what a browser keeps in an address, and far beyond any game:
// an hour of the most eager play makes a few thousand characters.
inline constexpr std::size_t kMaxReplayLinkChars = 1'000'000;
// The key script a link may unpack to. Deflate expands up to 1032 times, so
// without this bound a small link could ask for gigabytes.
inline constexpr std::size_t kMaxReplayScriptBytes = 8u << 20;

struct ReplayLinkResult {
  bool ok = false;
  std::string script;  // the key script the link carries
  KeyScriptResult keys;
  std::string error;  // one line a player can read
};

// Decodes what follows "#play=" in the page's address.
ReplayLinkResult DecodeReplayLink(std::string_view payload);

// base64url, without padding on output; decoding takes padding or none, and
// nothing else outside the alphabet.
std::string EncodeBase64Url(const std::vector<std::uint8_t>& bytes);
bool DecodeBase64Url(std::string_view text, std::vector<std::uint8_t>& bytes);

// Raw deflate (no zlib or gzip wrapper). False, with `error`, for data that
// is not a complete deflate stream or would unpack past `maxOutput` bytes.
bool InflateRaw(const std::uint8_t* data, std::size_t size, std::size_t maxOutput, std::string& out,
                std::string& error);

// The key script a link carries for these presses: the starting credits
// line of a free-play game, then one line per press, no comments.
std::string ReplayScript(const std::vector<KeyPress>& presses, std::optional<long long> startingCredits);
