// libFuzzer target: any text offered as a key script. The parser's answer is
// compared with a plain line-by-line reading of the format (first bad line,
// every accepted press), its error must be one printable line, and the
// presses it accepts, written back as a script in any of the key spellings,
// must read back the same. The same text as a replay link's script, read by
// the page's reader whole and in slices, must give one answer, never a game
// the parser refuses.
#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/session/key_script.h"
#include "app/session/replay_link.h"

namespace {

// Names the broken property on stderr before libFuzzer keeps the input.
void Check(bool condition, const char* property) {
  if (condition) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

bool AllOf(std::string_view s, int (*is)(int)) {
  if (s.empty()) return false;
  for (char c : s)
    if (!is(static_cast<unsigned char>(c))) return false;
  return true;
}

// Leading zeros do not make a number large; only its significant digits do.
std::optional<unsigned long long> Value(std::string_view digits, int base, unsigned long long max) {
  while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
  unsigned long long v = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, base);
  if (ec != std::errc() || end != digits.data() + digits.size() || v > max) return std::nullopt;
  return v;
}

std::optional<int> ExpectedKey(std::string_view word) {
  if (word == "left") return 0x25;
  if (word == "right") return 0x27;
  std::optional<unsigned long long> v;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    if (AllOf(word.substr(2), isxdigit)) v = Value(word.substr(2), 16, kMaxVirtualKey);
  } else if (AllOf(word, isdigit)) {
    v = Value(word, 10, kMaxVirtualKey);
  }
  if (!v) return std::nullopt;
  return static_cast<int>(*v);
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  for (std::size_t i = 0; i < line.size();) {
    if (std::isspace(static_cast<unsigned char>(line[i]))) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < line.size() && !std::isspace(static_cast<unsigned char>(line[j]))) ++j;
    words.push_back(line.substr(i, j - i));
    i = j;
  }
  return words;
}

// What the format says the text holds: the presses, or the first bad line.
struct Expected {
  std::vector<KeyPress> presses;
  std::optional<long long> startingCredits;  // a first line "# credits N"
  int badLine = 0;
};

Expected Read(std::string_view text) {
  Expected e;
  long long lastTick = 0;
  int lineNumber = 0;
  for (std::size_t start = 0;; ++lineNumber) {
    const std::size_t eol = text.find('\n', start);
    std::string_view line = text.substr(start, eol == std::string_view::npos ? std::string_view::npos : eol - start);
    if (lineNumber == 0) {
      const auto whole = Words(line);
      if (whole.size() == 3 && whole[0] == "#" && whole[1] == "credits" && AllOf(whole[2], isdigit)) {
        const auto credits = Value(whole[2], 10, kMaxStartingCredits);
        if (!credits) {
          e.badLine = 1;
          return e;
        }
        e.startingCredits = static_cast<long long>(*credits);
      }
    }
    line = line.substr(0, line.find('#'));
    const std::vector<std::string_view> words = Words(line);
    if (!words.empty()) {
      std::optional<unsigned long long> tick;
      std::optional<int> key;
      if (words.size() == 2 && AllOf(words[0], isdigit)) tick = Value(words[0], 10, kMaxScriptTick);
      if (words.size() == 2) key = ExpectedKey(words[1]);
      if (!tick || *tick == 0 || static_cast<long long>(*tick) < lastTick || !key) {
        e.presses.clear();
        e.badLine = lineNumber + 1;
        return e;
      }
      lastTick = static_cast<long long>(*tick);
      e.presses.push_back({lastTick, *key});
    }
    if (eol == std::string_view::npos) return e;
    start = eol + 1;
  }
}

bool SamePresses(const std::vector<KeyPress>& a, const std::vector<KeyPress>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].tick != b[i].tick || a[i].virtualKey != b[i].virtualKey) return false;
  return true;
}

// The presses as a script again, each key spelled one of the accepted ways,
// with the separators and comments a hand-written script might use.
std::string Rewrite(const std::vector<KeyPress>& presses, std::uint8_t style) {
  std::string text = (style & 1) ? "# rewritten\r\n" : "";
  for (std::size_t i = 0; i < presses.size(); ++i) {
    const KeyPress& p = presses[i];
    char key[16];
    const unsigned spelling = (style + i) % 3;
    if (spelling == 0 && p.virtualKey == 0x25)
      std::snprintf(key, sizeof key, "left");
    else if (spelling == 0 && p.virtualKey == 0x27)
      std::snprintf(key, sizeof key, "right");
    else if (spelling == 1)
      std::snprintf(key, sizeof key, (style & 2) ? "0X%X" : "0x%x", p.virtualKey);
    else
      std::snprintf(key, sizeof key, "%d", p.virtualKey);
    text += (style & 4) ? "\t" : "";
    text += (style & 32) ? "000000000000000000000000" : "";  // still the same whole number
    text += std::to_string(p.tick);
    text += (style & 8) ? " \t " : " ";
    text += key;
    text += (style & 16) ? "  # press\n" : "\n";
  }
  return text;
}

// The page reads a link's unpacked script a slice at a time, and must come
// to what reading it whole comes to: the same presses, or the same refusal,
// in one short line. An accepted script is one the parser accepts, with its
// presses, shared no earlier than its last press.
void CheckReplayScript(std::string_view text, const KeyScriptResult& parsed, std::size_t slice) {
  ReplayScriptReader whole{std::string(text)};
  while (whole.Step(std::numeric_limits<std::size_t>::max())) {
  }
  ReplayScriptReader sliced{std::string(text)};
  while (sliced.Step(slice)) Check(sliced.Progress() < 1, "a reader with more to read has not read it all");
  const ReplayLinkResult a = whole.Finish(), b = sliced.Finish();
  Check(a.ok == b.ok && a.error == b.error && a.endTick == b.endTick && SamePresses(a.keys.presses, b.keys.presses),
        "a link's script read in slices reads as the whole does");
  if (!a.ok) {
    Check(!a.error.empty() && a.error.size() <= 256, "a link's refusal is one short line");
    for (char c : a.error)
      Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "a link's refusal has no control bytes");
    Check(a.script.empty() && a.keys.presses.empty(), "a refused link yields no game");
    return;
  }
  Check(a.error.empty() && a.script == text, "an accepted link's game is its script");
  Check(parsed.ok && SamePresses(a.keys.presses, parsed.presses) && a.keys.startingCredits == parsed.startingCredits,
        "a link's game is the one the parser reads");
  Check(!a.endTick || a.keys.presses.empty() || *a.endTick >= a.keys.presses.back().tick,
        "a link is shared no earlier than its last press");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const KeyScriptResult r = ParseKeyScript(text);
  const Expected e = Read(text);
  CheckReplayScript(text, r, size ? 1 + data[size - 1] % 64 : 1);

  if (!r.ok) {
    Check(e.badLine == r.errorLine, "the error names the first bad line");
    Check(r.presses.empty(), "a rejected script delivers no presses");
    // A one-line message that stays short whatever the script holds.
    Check(!r.errorReason.empty() && r.errorReason.size() <= 256, "the reason is short and not empty");
    for (char c : r.errorReason)
      Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "the reason has no control bytes");
    return 0;
  }
  Check(e.badLine == 0 && r.errorLine == 0 && r.errorReason.empty(), "only a well-formed script is accepted");
  Check(SamePresses(r.presses, e.presses), "every line gives its own press");
  Check(r.startingCredits == e.startingCredits, "only a first line '# credits N' names starting credits");
  long long last = 1;
  for (const KeyPress& p : r.presses) {
    Check(p.tick >= last && p.tick <= kMaxScriptTick, "ticks from 1, never decreasing");
    Check(p.virtualKey >= 0 && p.virtualKey <= kMaxVirtualKey, "keys are virtual-key codes");
    last = p.tick;
  }

  const KeyScriptResult again = ParseKeyScript(Rewrite(r.presses, size ? data[0] : 0));
  Check(again.ok && SamePresses(again.presses, r.presses), "the presses written out read back the same");
  return 0;
}
