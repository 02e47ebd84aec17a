#include "app/session/replay_link.h"

#include <algorithm>
#include <array>
#include <limits>

#include "app/session/key_script_file.h"

namespace {

constexpr std::string_view kBase64UrlAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// --- Raw deflate, as the page's CompressionStream writes it ---------------

constexpr const char* kTooLarge = "it unpacks past its bound";

// Huffman codes in canonical form: how many codes of each length, and the
// symbols in code order. Codes are at most 15 bits long.
struct Huffman {
  std::array<short, 16> counts{};
  std::array<short, 288> symbols{};
};

class Inflater {
 public:
  Inflater(const std::uint8_t* data, std::size_t size, std::size_t maxOutput, std::string& out)
      : data_(data), size_(size), maxOutput_(maxOutput), out_(out) {}

  // Empty on success, else what is wrong with the stream.
  const char* Run() {
    bool last = false;
    while (!last) {
      last = Bits(1) == 1;
      const unsigned type = Bits(2);
      const char* error = nullptr;
      if (type == 0)
        error = Stored();
      else if (type == 1)
        error = Fixed();
      else if (type == 2)
        error = Dynamic();
      else
        error = "a block of an unknown type";
      if (!error && overrun_) error = "it ends before its last block";
      if (error) return error;
    }
    return nullptr;
  }

 private:
  unsigned Bits(int need) {
    std::uint32_t value = bitBuffer_;
    while (bitCount_ < need) {
      if (at_ == size_) {
        overrun_ = true;  // reads as zeros; the caller stops at the block's end
        return 0;
      }
      value |= static_cast<std::uint32_t>(data_[at_++]) << bitCount_;
      bitCount_ += 8;
    }
    bitBuffer_ = value >> need;
    bitCount_ -= need;
    return value & ((1u << need) - 1);
  }

  bool Emit(char c) {
    if (out_.size() >= maxOutput_) return false;
    out_.push_back(c);
    return true;
  }

  const char* Stored() {
    bitBuffer_ = 0;
    bitCount_ = 0;
    if (size_ - at_ < 4) return "it ends inside a block header";
    const unsigned length = data_[at_] | (data_[at_ + 1] << 8);
    const unsigned check = data_[at_ + 2] | (data_[at_ + 3] << 8);
    at_ += 4;
    if (length != (~check & 0xFFFF)) return "a stored block's length does not check";
    if (size_ - at_ < length) return "it ends inside a stored block";
    for (unsigned i = 0; i < length; ++i)
      if (!Emit(static_cast<char>(data_[at_ + i]))) return TooLarge();
    at_ += length;
    return nullptr;
  }

  static const char* TooLarge() { return kTooLarge; }

  // Decodes one symbol, bit by bit in canonical order; -1 for a code the
  // table does not have (or data that ran out).
  int Decode(const Huffman& h) {
    int code = 0, first = 0, index = 0;
    for (int length = 1; length < 16; ++length) {
      code |= static_cast<int>(Bits(1));
      if (overrun_) return -1;
      const int count = h.counts[length];
      if (code - count < first) return h.symbols[index + (code - first)];
      index += count;
      first += count;
      first <<= 1;
      code <<= 1;
    }
    return -1;
  }

  // Builds a table from code lengths. False for an over-subscribed set; an
  // incomplete set is allowed only where deflate allows it (a single code).
  static bool Build(Huffman& h, const short* lengths, int n, bool allowIncomplete) {
    h.counts.fill(0);
    for (int i = 0; i < n; ++i) ++h.counts[lengths[i]];
    if (h.counts[0] == n) return allowIncomplete;
    int left = 1;
    for (int length = 1; length < 16; ++length) {
      left <<= 1;
      left -= h.counts[length];
      if (left < 0) return false;
    }
    std::array<short, 16> offsets{};
    for (int length = 1; length < 15; ++length) offsets[length + 1] = offsets[length] + h.counts[length];
    for (int i = 0; i < n; ++i)
      if (lengths[i] != 0) h.symbols[offsets[lengths[i]]++] = static_cast<short>(i);
    return left == 0 || allowIncomplete;
  }

  const char* Codes(const Huffman& lengthCodes, const Huffman& distanceCodes) {
    static constexpr short kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                              31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr short kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                               2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static constexpr short kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                                33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                                1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static constexpr short kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    for (;;) {
      int symbol = Decode(lengthCodes);
      if (symbol < 0) return overrun_ ? "it ends inside a block" : "a code no table has";
      if (symbol < 256) {
        if (!Emit(static_cast<char>(symbol))) return TooLarge();
      } else if (symbol == 256) {
        return nullptr;
      } else {
        symbol -= 257;
        if (symbol >= 29) return "a length code out of range";
        const std::size_t length = kLengthBase[symbol] + Bits(kLengthExtra[symbol]);
        const int distanceSymbol = Decode(distanceCodes);
        if (distanceSymbol < 0) return overrun_ ? "it ends inside a block" : "a code no table has";
        if (distanceSymbol >= 30) return "a distance code out of range";
        const std::size_t distance = kDistanceBase[distanceSymbol] + Bits(kDistanceExtra[distanceSymbol]);
        if (overrun_) return "it ends inside a block";
        if (distance > out_.size()) return "a distance back before the start";
        for (std::size_t i = 0; i < length; ++i)
          if (!Emit(out_[out_.size() - distance])) return TooLarge();
      }
    }
  }

  const char* Fixed() {
    static const auto tables = [] {
      std::array<Huffman, 2> t;
      short lengths[288];
      int i = 0;
      for (; i < 144; ++i) lengths[i] = 8;
      for (; i < 256; ++i) lengths[i] = 9;
      for (; i < 280; ++i) lengths[i] = 7;
      for (; i < 288; ++i) lengths[i] = 8;
      Build(t[0], lengths, 288, true);
      for (i = 0; i < 30; ++i) lengths[i] = 5;
      Build(t[1], lengths, 30, true);
      return t;
    }();
    return Codes(tables[0], tables[1]);
  }

  const char* Dynamic() {
    const int lengthCount = static_cast<int>(Bits(5)) + 257;
    const int distanceCount = static_cast<int>(Bits(5)) + 1;
    const int codeCount = static_cast<int>(Bits(4)) + 4;
    if (lengthCount > 286 || distanceCount > 30) return "a block with too many codes";
    static constexpr short kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    short lengths[320] = {};
    for (int i = 0; i < codeCount; ++i) lengths[kOrder[i]] = static_cast<short>(Bits(3));
    if (overrun_) return "it ends inside a block header";
    Huffman codeLengthCodes;
    if (!Build(codeLengthCodes, lengths, 19, false)) return "a block's code-length table is broken";
    for (int i = 0; i < lengthCount + distanceCount;) {
      int symbol = Decode(codeLengthCodes);
      if (symbol < 0) return overrun_ ? "it ends inside a block header" : "a code no table has";
      if (symbol < 16) {
        lengths[i++] = static_cast<short>(symbol);
        continue;
      }
      short repeated = 0;
      int times;
      if (symbol == 16) {
        if (i == 0) return "a repeat with nothing before it";
        repeated = lengths[i - 1];
        times = 3 + static_cast<int>(Bits(2));
      } else if (symbol == 17) {
        times = 3 + static_cast<int>(Bits(3));
      } else {
        times = 11 + static_cast<int>(Bits(7));
      }
      if (i + times > lengthCount + distanceCount) return "a repeat past the last code";
      while (times--) lengths[i++] = repeated;
    }
    if (lengths[256] == 0) return "a block with no end code";
    Huffman lengthCodes, distanceCodes;
    if (!Build(lengthCodes, lengths, lengthCount, lengthCount - ZeroLengths(lengths, lengthCount) == 1))
      return "a block's length table is broken";
    if (!Build(distanceCodes, lengths + lengthCount, distanceCount,
               distanceCount - ZeroLengths(lengths + lengthCount, distanceCount) <= 1))
      return "a block's distance table is broken";
    return Codes(lengthCodes, distanceCodes);
  }

  // How many of the lengths are zero: a table of one code is incomplete by
  // nature, and deflate allows it.
  static int ZeroLengths(const short* lengths, int n) {
    int zeros = 0;
    for (int i = 0; i < n; ++i) zeros += lengths[i] == 0;
    return zeros;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  std::uint32_t bitBuffer_ = 0;
  int bitCount_ = 0;
  bool overrun_ = false;
  std::size_t maxOutput_;
  std::string& out_;
};

}  // namespace

bool InflateRaw(const std::uint8_t* data, std::size_t size, std::size_t maxOutput, std::string& out,
                std::string& error) {
  out.clear();
  if (const char* problem = Inflater(data, size, maxOutput, out).Run()) {
    error = problem;
    out.clear();
    return false;
  }
  return true;
}

std::string EncodeBase64Url(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  text.reserve((bytes.size() * 4 + 2) / 3);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = bytes[i] << 16;
    if (n > 1) group |= bytes[i + 1] << 8;
    if (n > 2) group |= bytes[i + 2];
    for (std::size_t k = 0; k <= n; ++k) text.push_back(kBase64UrlAlphabet[(group >> (18 - 6 * k)) & 63]);
  }
  return text;
}

bool DecodeBase64Url(std::string_view text, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  // Padding may close a text of whole groups of four.
  if (text.size() % 4 == 0)
    for (int i = 0; i < 2 && !text.empty() && text.back() == '='; ++i) text.remove_suffix(1);
  if (text.size() % 4 == 1) return false;
  bytes.reserve(text.size() * 3 / 4);
  std::uint32_t group = 0;
  int bits = 0;
  for (char c : text) {
    const std::size_t value = kBase64UrlAlphabet.find(c);
    if (value == std::string_view::npos) return false;
    group = (group << 6) | static_cast<std::uint32_t>(value);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes.push_back(static_cast<std::uint8_t>(group >> bits));
    }
  }
  return true;
}

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

ReplayLinkResult DecodeReplayLink(std::string_view payload) {
  ReplayLinkResult result;
  if (payload.size() > kMaxReplayLinkChars) {
    result.error = ReplayLinkRefusal(LinkRefusal::TooLong, payload.size());
    return result;
  }
  std::vector<std::uint8_t> packed;
  if (payload.empty() || !DecodeBase64Url(payload, packed)) {
    // Text of the link's own characters was cut or changed; any other
    // character means it was never one.
    const bool ownCharacters =
        payload.find_first_not_of(std::string(kBase64UrlAlphabet) + "=") == std::string_view::npos;
    result.error = ReplayLinkRefusal(ownCharacters ? LinkRefusal::Damaged : LinkRefusal::NotALink);
    return result;
  }
  std::string script, reason;
  if (!InflateRaw(packed.data(), packed.size(), kMaxReplayScriptBytes, script, reason)) {
    result.error = ReplayLinkRefusal(reason == kTooLarge ? LinkRefusal::TooLarge : LinkRefusal::Damaged);
    return result;
  }
  ReplayScriptReader reader(std::move(script));
  while (reader.Step(std::numeric_limits<std::size_t>::max())) {
  }
  return reader.Finish();
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
