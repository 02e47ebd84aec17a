#include "app/session/replay_link.h"

#include <algorithm>
#include <array>

#include "app/session/key_script_file.h"

namespace {

constexpr std::string_view kBase64UrlAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// --- Raw deflate, as the page's CompressionStream writes it ---------------

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

  static const char* TooLarge() { return "it unpacks to more than a game could hold"; }

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

ReplayLinkResult DecodeReplayLink(std::string_view payload) {
  ReplayLinkResult result;
  if (payload.size() > kMaxReplayLinkChars) {
    result.error = "this replay link is too long to be a game (" + std::to_string(payload.size()) + " characters)";
    return result;
  }
  std::vector<std::uint8_t> packed;
  if (payload.empty() || !DecodeBase64Url(payload, packed)) {
    result.error = "this replay link is damaged: it is not base64url text";
    return result;
  }
  std::string reason;
  if (!InflateRaw(packed.data(), packed.size(), kMaxReplayScriptBytes, result.script, reason)) {
    result.error = "this replay link is damaged: " + reason;
    return result;
  }
  result.keys = ParseKeyScript(result.script);
  if (!result.keys.ok) {
    result.error = "this replay link does not hold a game: line " + std::to_string(result.keys.errorLine) + ": " +
                   result.keys.errorReason;
    result.script.clear();
    return result;
  }
  // The page writes a link's script without comments, but for a free-play
  // game's first line: any other is not one of its links, and has no
  // business in one.
  std::size_t line = 1, start = 0;
  for (; start < result.script.size(); ++line) {
    const std::size_t end = std::min(result.script.find('\n', start), result.script.size());
    const bool comment = result.script.find('#', start) < end;
    if (comment && !(line == 1 && result.keys.startingCredits)) {
      result.error = "this replay link does not hold a game: line " + std::to_string(line) +
                     ": a comment, which the page's links never carry";
      result.script.clear();
      result.keys = KeyScriptResult{};
      return result;
    }
    start = end + 1;
  }
  result.ok = true;
  return result;
}

std::string ReplayScript(const std::vector<KeyPress>& presses, std::optional<long long> startingCredits) {
  std::string text;
  if (startingCredits) text += StartingCreditsLine(*startingCredits) + '\n';
  for (const KeyPress& press : presses) text += KeyScriptLine(press) + '\n';
  return text;
}
