#include "app/session/replay_link.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "app/session/key_script_file.h"

std::string ReplayLinkRefusal(LinkRefusal why, std::size_t chars) {
  switch (why) {
    case LinkRefusal::TooLong:
      return "this replay link is too long to hold a game (" + std::to_string(chars) + " characters)";
    case LinkRefusal::NotALink:
      return "this is not a replay link: it has characters that no replay link has";
    case LinkRefusal::Damaged:
      return "this replay link is damaged: part of it is missing or was changed";
    case LinkRefusal::TooLarge:
      return "this replay link unpacks to more than a game could hold";
  }
  return "this replay link cannot be read";
}

namespace {

// "# WORD N" with N whole and at most `max`; nullopt for any other line.
std::optional<long long> NumberComment(std::string_view line, std::string_view word, long long max) {
  std::vector<std::string_view> words;
  for (std::size_t i = 0; i < line.size();) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  if (words.size() != 3 || words[0] != "#" || words[1] != word) return std::nullopt;
  long long value = 0;
  for (char c : words[2]) {
    if (c < '0' || c > '9') return std::nullopt;
    if (value > (max - (c - '0')) / 10) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

ReplayScriptReader::ReplayScriptReader(std::string script) : script_(std::move(script)) {}

bool ReplayScriptReader::Refuse(long long line, const std::string& reason) {
  failed_ = true;
  error_ = "this replay link does not hold a game (line " + std::to_string(line) + ": " + reason + ")";
  return false;
}

bool ReplayScriptReader::Step(std::size_t bytes) {
  if (failed_ || at_ >= script_.size()) return false;
  std::size_t end = script_.size();
  if (bytes < script_.size() - at_) {
    end = script_.find('\n', at_ + bytes);
    end = end == std::string::npos ? script_.size() : end + 1;
  }
  std::string_view chunk(script_.data() + at_, end - at_);
  const long long firstLine = line_ + 1;
  // The first of four faults is the one reported, as it would be were the
  // script read whole: a line too long to parse, a line the parser refuses,
  // a comment, and a press before the last of the slice before. Only the
  // lines before a long one are parsed.
  long long longLine = std::numeric_limits<long long>::max();
  for (std::size_t pos = 0, line = firstLine; pos < chunk.size(); ++line) {
    const std::size_t eol = std::min(chunk.find('\n', pos), chunk.size());
    if (eol - pos > kMaxReplayLineChars) {
      longLine = static_cast<long long>(line);
      chunk = chunk.substr(0, pos);
      break;
    }
    pos = eol + 1;
  }
  // After the first slice, a line heads the slice, so that the parser reads
  // it as it would were the script read whole: the last press before it,
  // whose tick the slice's presses may not go below, or, with none yet, a
  // blank line, which keeps a "# credits" line in the slice from being read
  // as the script's first.
  const bool headed = firstLine > 1;
  const bool headedByPress = headed && lastTick_ > 0;
  const std::string head = headedByPress ? std::to_string(lastTick_) + " 0\n" : "\n";
  KeyScriptResult keys = ParseKeyScript(headed ? head + std::string(chunk) : std::string(chunk));
  if (headedByPress && keys.ok) keys.presses.erase(keys.presses.begin());
  const long long lineBefore = firstLine - 1 - (headed ? 1 : 0);
  long long faultLine = keys.ok ? longLine : lineBefore + keys.errorLine;
  std::string fault = keys.ok ? "a line longer than any the page writes" : keys.errorReason;
  // The page writes no comments but a free-play game's credits line and the
  // tick it was shared at, which ends the script.
  for (std::size_t pos = 0; pos < chunk.size() && line_ + 1 < faultLine;) {
    const std::size_t eol = std::min(chunk.find('\n', pos), chunk.size());
    const std::string_view line = chunk.substr(pos, eol - pos);
    pos = eol + 1;
    ++line_;
    if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
    const bool comment = line.find('#') != std::string_view::npos;
    if (endTick_) {
      faultLine = line_;
      fault = "a line after the tick the game was shared at";
    } else if (comment && !(line_ == 1 && NumberComment(line, "credits", std::numeric_limits<long long>::max() / 10))) {
      endTick_ = NumberComment(line, "ticks", kMaxScriptTick);
      if (!endTick_) {
        faultLine = line_;
        fault = "a comment, which the page's links never carry";
      }
    }
  }
  if (faultLine != std::numeric_limits<long long>::max()) return Refuse(faultLine, fault);
  if (firstLine == 1) keys_.startingCredits = keys.startingCredits;
  if (!keys.presses.empty()) lastTick_ = keys.presses.back().tick;
  keys_.presses.insert(keys_.presses.end(), keys.presses.begin(), keys.presses.end());
  at_ = end;
  return at_ < script_.size();
}

ReplayLinkResult ReplayScriptReader::Finish() {
  ReplayLinkResult result;
  if (!failed_ && endTick_ && *endTick_ < lastTick_)
    Refuse(line_, "shared at tick " + std::to_string(*endTick_) + ", before its last press");
  if (failed_) {
    result.error = std::move(error_);
    return result;
  }
  result.ok = true;
  result.script = std::move(script_);
  result.keys = std::move(keys_);
  result.endTick = endTick_;
  return result;
}

std::string SharedAtTickLine(long long tick) { return "# ticks " + std::to_string(tick); }

std::string ReplayScript(const std::vector<KeyPress>& presses, std::optional<long long> startingCredits,
                         std::optional<long long> endTick) {
  std::string text;
  if (startingCredits) text += StartingCreditsLine(*startingCredits) + '\n';
  for (const KeyPress& press : presses) text += KeyScriptLine(press) + '\n';
  if (endTick) text += SharedAtTickLine(*endTick) + '\n';
  return text;
}
