#include "app/session/trace.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "canvas/shift_jis.h"
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

void DrawLog::Begin() {
  if (!json_.empty()) json_ += ',';
}

void DrawLog::OnClear(bool black) {
  Begin();
  json_ += black ? "[\"clear\",\"black\"]" : "[\"clear\",\"white\"]";
}

void DrawLog::OnSprite(std::string_view image, std::string_view mask, int x, int y, int w, int h) {
  // Sprites are most of a busy tick's calls, and their file names need no
  // escapes: such an entry is built in one buffer and appended at once.
  constexpr std::size_t kShortNames = 64;
  if (image.size() + mask.size() <= kShortNames && PlainJsonPrefix(image) == image.size() &&
      PlainJsonPrefix(mask) == mask.size()) {
    char buffer[kShortNames + 96];
    char* p = buffer;
    auto put = [&p](std::string_view part) { p = std::copy(part.begin(), part.end(), p); };
    if (!json_.empty()) *p++ = ',';
    put("[\"sprite\",\"");
    put(image);
    put("\",\"");
    put(mask);
    *p++ = '"';
    for (const int v : {x, y, w, h}) {
      *p++ = ',';
      p = std::to_chars(p, buffer + sizeof buffer, v).ptr;
    }
    *p++ = ']';
    json_.append(buffer, p);
    return;
  }
  Begin();
  json_ += "[\"sprite\",";
  AppendJsonString(json_, image);
  json_ += ',';
  AppendJsonString(json_, mask);
  AppendInts(json_, {x, y, w, h});
  json_ += ']';
}

void DrawLog::OnText(int x, int y, int height, int r, int g, int b, std::string_view sjisText) {
  Begin();
  json_ += "[\"text\"";
  AppendInts(json_, {x, y, height, r, g, b});
  json_ += ',';
  AppendJsonString(json_, ShiftJisToUtf8(sjisText));
  json_ += ']';
}

void DrawLog::OnLine(int x1, int y1, int x2, int y2, int width, int r, int g, int b) {
  Begin();
  json_ += "[\"line\"";
  AppendInts(json_, {x1, y1, x2, y2, width, r, g, b});
  json_ += ']';
}

namespace {

// Everything of a trace line before its draws and closing brace.
void FormatTraceHead(std::string& out, long long tick, const SoundLog& sounds) {
  const cabinet::Readout game = cabinet::Read();
  const struct {
    std::string_view key;
    long long value;
  } fields[] = {{"{\"tick\":", tick},
                {",\"rand\":", game.rand},
                {",\"credits\":", game.credits},
                {",\"pending\":", game.pending},
                {",\"stroke\":", game.stroke},
                {",\"retracting\":", game.retracting},
                {",\"gate\":", game.gate},
                {",\"gateReturning\":", game.gateReturning},
                {",\"lotteryRow\":", game.lotteryRow},
                {",\"lotteryColumn\":", game.lotteryColumn},
                {",\"spinning\":", game.spinning},
                {",\"sweepRequested\":", game.sweepRequested},
                {",\"sweepTimer\":", game.sweepTimer},
                {",\"magicRequested\":", game.magicRequested},
                {",\"magicTimer\":", game.magicTimer}};
  out.clear();
  for (const auto& field : fields) {
    out += field.key;
    AppendNumber(out, field.value);
  }
  out += ",\"sounds\":[";
  bool first = true;
  for (const std::string& name : sounds.Names()) {
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

void FormatTraceLine(std::string& out, long long tick, const SoundLog& sounds, const DrawLog* draws) {
  FormatTraceHead(out, tick, sounds);
  if (draws) {
    out += ",\"draws\":[";
    out += draws->Entries();
    out += ']';
  }
  out += '}';
}

bool WriteTraceLine(std::FILE* file, std::string& scratch, long long tick, const SoundLog& sounds,
                    const DrawLog* draws) {
  // The draws of a busy tick run to many kilobytes: they go out from where
  // they were collected rather than being copied into the line first.
  FormatTraceHead(scratch, tick, sounds);
  std::string_view tail = "}\n";
  if (draws) {
    scratch += ",\"draws\":[";
    tail = "]}\n";
  }
  bool ok = std::fwrite(scratch.data(), 1, scratch.size(), file) == scratch.size();
  if (draws)
    ok = std::fwrite(draws->Entries().data(), 1, draws->Entries().size(), file) == draws->Entries().size() && ok;
  return std::fwrite(tail.data(), 1, tail.size(), file) == tail.size() && ok;
}
