#include "app/session/trace.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "cabinet/cabinet.h"

namespace {

// Bytes that go into a JSON string as they are: all but quotes,
// backslashes and control characters.
constexpr auto kPlainJson = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 256; ++c) plain[c] = c != '"' && c != '\\';
  return plain;
}();

// How many leading characters of `text` go into a JSON string as they are.
std::size_t PlainJsonPrefix(std::string_view text) {
  std::size_t plain = 0;
  while (plain < text.size() && kPlainJson[static_cast<unsigned char>(text[plain])]) ++plain;
  return plain;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  // File names and texts rarely need escapes: copy the plain run at once.
  const std::size_t plain = PlainJsonPrefix(text);
  out.append(text.data(), plain);
  for (unsigned char c : text.substr(plain)) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
}

namespace {

// A trace line holds hundreds of numbers and a long run writes thousands of
// lines, so numbers are appended without printf's parsing.
void AppendNumber(std::string& out, long long v) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  out.append(buffer, end);
}

// Each value preceded by a comma, appended at once.
void AppendInts(std::string& out, std::initializer_list<long long> values) {
  char buffer[8 * 24];
  char* p = buffer;
  for (long long v : values) {
    *p++ = ',';
    p = std::to_chars(p, buffer + sizeof buffer, v).ptr;
  }
  out.append(buffer, p);
}

}  // namespace

namespace {

void AppendSprite(std::string& out, const DrawCall& call) {
  // Sprites are most of a busy tick's calls, and their file names need no
  // escapes: such an entry is built in one buffer and appended at once.
  constexpr std::size_t kShortNames = 64;
  const std::string_view image = call.image, mask = call.mask;
  if (image.size() + mask.size() <= kShortNames && PlainJsonPrefix(image) == image.size() &&
      PlainJsonPrefix(mask) == mask.size()) {
    char buffer[kShortNames + 96];
    char* p = buffer;
    auto put = [&p](std::string_view part) { p = std::copy(part.begin(), part.end(), p); };
    put("[\"sprite\",\"");
    put(image);
    put("\",\"");
    put(mask);
    *p++ = '"';
    for (const int v : {call.x, call.y, call.w, call.h}) {
      *p++ = ',';
      p = std::to_chars(p, buffer + sizeof buffer, v).ptr;
    }
    *p++ = ']';
    out.append(buffer, p);
    return;
  }
  out += "[\"sprite\",";
  AppendJsonString(out, image);
  out += ',';
  AppendJsonString(out, mask);
  AppendInts(out, {call.x, call.y, call.w, call.h});
  out += ']';
}

}  // namespace

void AppendDrawEntries(std::string& out, const DisplayList& list) {
  bool first = true;
  for (const DrawCall& call : list.calls) {
    if (!first) out += ',';
    first = false;
    switch (call.kind) {
      case DrawCallKind::ClearBlack:
        out += "[\"clear\",\"black\"]";
        break;
      case DrawCallKind::ClearWhite:
        out += "[\"clear\",\"white\"]";
        break;
      case DrawCallKind::Sprite:
        AppendSprite(out, call);
        break;
      case DrawCallKind::Text:
        out += "[\"text\"";
        AppendInts(out, {call.x, call.y, call.size, call.red, call.green, call.blue});
        out += ',';
        AppendJsonString(out, cabinet::TextAsUtf8(call.text));
        out += ']';
        break;
      case DrawCallKind::Line:
        out += "[\"line\"";
        AppendInts(out, {call.x, call.y, call.w, call.h, call.size, call.red, call.green, call.blue});
        out += ']';
        break;
    }
  }
}

namespace {

// Everything of a trace line before its draws and closing brace.
void FormatTraceHead(std::string& out, long long tick, const SoundCues& sounds) {
  out.clear();
  out += "{\"tick\":";
  AppendNumber(out, tick);
  out += ",\"rand\":";
  AppendNumber(out, cabinet::RandomState());
  for (const cabinet::CounterReading& counter : cabinet::ReadCounters()) {
    out += ",\"";
    out += counter.key;
    out += "\":";
    AppendNumber(out, counter.value);
  }
  out += ",\"sounds\":[";
  bool first = true;
  for (const std::string_view name : sounds) {
    if (!first) out += ',';
    first = false;
    AppendJsonString(out, name);
  }
  out += "],\"coins\":[";
  first = true;
  static std::vector<cabinet::CoinReadout> coins;  // kept from line to line
  cabinet::ReadCoins(coins);
  for (const cabinet::CoinReadout& c : coins) {
    // Built in place, as the coins make up most of a line.
    char coin[80];
    char* p = coin;
    if (!first) *p++ = ',';
    first = false;
    *p++ = '[';
    for (const int v : {c.slot, c.state, c.x, c.y, c.vy}) {
      p = std::to_chars(p, coin + sizeof coin, v).ptr;
      *p++ = ',';
    }
    p[-1] = ']';
    out.append(coin, p);
  }
  out += ']';
}

}  // namespace

void FormatTraceLine(std::string& out, long long tick, const SoundCues& sounds, const DisplayList* draws) {
  FormatTraceHead(out, tick, sounds);
  if (draws) {
    out += ",\"draws\":[";
    AppendDrawEntries(out, *draws);
    out += ']';
  }
  out += '}';
}

bool WriteTraceLine(std::FILE* file, std::string& scratch, long long tick, const SoundCues& sounds,
                    const DisplayList* draws) {
  FormatTraceLine(scratch, tick, sounds, draws);
  scratch += '\n';
  return std::fwrite(scratch.data(), 1, scratch.size(), file) == scratch.size();
}
