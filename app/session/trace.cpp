#include "app/session/trace.h"

#include <cstdio>

#include "canvas/shift_jis.h"
#include "game/state.h"

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
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

void AppendInts(std::string& out, std::initializer_list<long long> values) {
  for (long long v : values) {
    out += ',';
    out += std::to_string(v);
  }
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

void FormatTraceLine(std::string& out, long long tick, const SoundLog& sounds, const DrawLog* draws) {
  char head[512];
  std::snprintf(head, sizeof head,
                "{\"tick\":%lld,\"rand\":%u,\"credits\":%d,\"pending\":%d,\"stroke\":%d,\"retracting\":%d,"
                "\"gate\":%d,\"gateReturning\":%d,\"lotteryRow\":%d,\"lotteryColumn\":%d,\"spinning\":%d,"
                "\"sweepRequested\":%d,\"sweepTimer\":%d,\"magicRequested\":%d,\"magicTimer\":%d,\"sounds\":[",
                tick, static_cast<unsigned>(game.randState), game.credits, game.pendingCoins, game.pusherStroke,
                game.pusherRetracting, game.gateOffset, game.gateReturning, game.lotteryRow, game.lotteryColumn,
                game.lotterySpinning, game.sweepRequested, game.sweepTimer, game.magicRequested, game.magicTimer);
  out.assign(head);
  bool first = true;
  for (const std::string& name : sounds.Names()) {
    if (!first) out += ',';
    first = false;
    AppendJsonString(out, name);
  }
  out += "],\"coins\":[";
  first = true;
  for (int i = 0; i < kCoinSlots; ++i) {
    if (game.coinState[i] == CoinState::Free) continue;
    char coin[96];
    std::snprintf(coin, sizeof coin, "%s[%d,%d,%d,%d,%d]", first ? "" : ",", i, static_cast<int>(game.coinState[i]),
                  game.coinX[i], game.coinY[i], game.coinVy[i]);
    out += coin;
    first = false;
  }
  out += ']';
  if (draws) {
    out += ",\"draws\":[";
    out += draws->Entries();
    out += ']';
  }
  out += '}';
}
