#include "app/session/key_script.h"

#include "app/session/printable_text.h"
#include "cabinet/cabinet.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    const std::size_t start = i;
    while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

bool AllHexDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// Whole number within [0, max], or -1. Leading zeros do not count towards
// the length that rules out an overflow.
long long ParseNumber(std::string_view s, int base, long long max) {
  while (s.size() > 1 && s.front() == '0') s.remove_prefix(1);
  if (s.size() > 20) return -1;
  const std::string copy(s);
  errno = 0;
  char* end = nullptr;
  const unsigned long long v = std::strtoull(copy.c_str(), &end, base);
  if (errno != 0 || *end != '\0' || v > static_cast<unsigned long long>(max)) return -1;
  return static_cast<long long>(v);
}

// A word of the script as it may appear in the one-line error: a garbage
// file must not fill the terminal or send control bytes to it.
std::string Quoted(std::string_view word) { return "'" + PrintableExcerpt(word, 32) + "'"; }

// The lanes' keys, by the names scripts give them.
struct NamedKey {
  std::string_view word;
  int virtualKey;
};
constexpr NamedKey kNamedKeys[] = {{"left", cabinet::LaneKey(cabinet::Lane::Left)},
                                   {"right", cabinet::LaneKey(cabinet::Lane::Right)}};

int ParseKey(std::string_view word, std::string& reason) {
  for (const NamedKey& named : kNamedKeys)
    if (word == named.word) return named.virtualKey;
  long long v = -1;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    if (AllHexDigits(word.substr(2))) v = ParseNumber(word.substr(2), 16, kMaxVirtualKey);
  } else if (AllDigits(word)) {
    v = ParseNumber(word, 10, kMaxVirtualKey);
  } else {
    reason = "unknown key " + Quoted(word) + " (expected left, right or a virtual-key code)";
    return -1;
  }
  if (v < 0) reason = "key code " + Quoted(word) + " is not a virtual-key code from 0 to 65535";
  return static_cast<int>(v);
}

// "# credits N" on the first line: the credits a free-play game starts
// with. Any other comment there stays a comment.
bool IsStartingCreditsLine(const std::vector<std::string_view>& words) {
  return words.size() == 3 && words[0] == "#" && words[1] == "credits" && AllDigits(words[2]);
}

}  // namespace

std::string KeyWord(int virtualKey) {
  for (const NamedKey& named : kNamedKeys)
    if (virtualKey == named.virtualKey) return std::string(named.word);
  return std::to_string(virtualKey);
}

std::optional<long long> ParseStartingCredits(std::string_view digits) {
  if (!AllDigits(digits)) return std::nullopt;
  const long long credits = ParseNumber(digits, 10, kMaxStartingCredits);
  if (credits < 0) return std::nullopt;
  return credits;
}

std::string StartingCreditsLine(long long credits) { return "# credits " + std::to_string(credits); }

KeyScriptResult ParseKeyScript(std::string_view text) {
  KeyScriptResult result;
  long long lastTick = 0;
  int lineNumber = 0;
  std::size_t pos = 0;
  auto fail = [&](std::string reason) {
    result.ok = false;
    result.errorLine = lineNumber;
    result.errorReason = std::move(reason);
    result.presses.clear();
    result.startingCredits.reset();
    return result;
  };
  while (pos <= text.size()) {
    const std::size_t eol = text.find('\n', pos);
    std::string_view line = text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
    ++lineNumber;
    if (lineNumber == 1) {
      if (const auto words = Words(line); IsStartingCreditsLine(words)) {
        result.startingCredits = ParseStartingCredits(words[2]);
        if (!result.startingCredits)
          return fail("starting credits " + Quoted(words[2]) + " are not a whole number from 0 to " +
                      std::to_string(kMaxStartingCredits));
      }
    }
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    const auto words = Words(line);
    if (!words.empty()) {
      if (words.size() == 1) return fail("missing key after tick " + Quoted(words[0]));
      if (words.size() > 2) return fail("extra words after the key: " + Quoted(words[2]));
      if (!AllDigits(words[0])) return fail("tick " + Quoted(words[0]) + " is not a whole number");
      const long long tick = ParseNumber(words[0], 10, kMaxScriptTick);
      if (tick < 0) return fail("tick " + Quoted(words[0]) + " is too large");
      if (tick == 0) return fail("tick 0: key presses come before tick 1 at the earliest");
      if (tick < lastTick)
        return fail("tick " + std::to_string(tick) + " comes after tick " + std::to_string(lastTick) +
                    " (ticks must not decrease)");
      std::string reason;
      const int key = ParseKey(words[1], reason);
      if (key < 0) return fail(reason);
      result.presses.push_back({tick, key});
      lastTick = tick;
    }
    if (eol == std::string_view::npos) break;
    pos = eol + 1;
  }
  return result;
}
