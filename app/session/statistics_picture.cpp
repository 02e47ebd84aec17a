#include "app/session/statistics_picture.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using shell_fact::Words;

struct Colour {
  int red, green, blue;
};

constexpr Colour kBackground{16, 20, 36};
constexpr Colour kPanel{27, 33, 56};
constexpr Colour kTitle{255, 214, 110};
constexpr Colour kLabel{170, 182, 210};
constexpr Colour kFaintLabel{124, 136, 168};
constexpr Colour kValue{246, 246, 252};
constexpr Colour kGrid{44, 52, 82};
constexpr Colour kAxis{104, 116, 154};
constexpr Colour kCreditsLine{255, 206, 84};
constexpr Colour kCreditsArea{70, 60, 40};
constexpr Colour kCoinsLine{98, 198, 255};
constexpr Colour kCoinsArea{32, 58, 88};
// By GameHistory::Prize: the same colour marks a kind's count and its prizes.
constexpr Colour kPrizeColours[GameHistory::kPrizeKinds] = {{255, 146, 64}, {112, 228, 128}, {228, 124, 255}};

constexpr int kTitleSize = 22;
constexpr int kTextSize = 14;
constexpr int kAxisTextSize = 12;

// The account: three columns of rows.
constexpr int kColumnLeft[] = {18, 228, 438};
constexpr int kColumnWidth = 186;
constexpr int kFirstRowTop = 50;
constexpr int kRowHeight = 17;

// The plots share their time axis, one above the other.
constexpr int kPlotLeft = 66;
constexpr int kPlotRight = 620;
constexpr int kPlotHeight = 86;
// Under each plot's time axis, a lane of marks for each kind of prize.
constexpr int kPrizeLaneHeight = 4;
constexpr int kPrizeStripHeight = 2 + GameHistory::kPrizeKinds * (kPrizeLaneHeight + 1);
constexpr int kCreditsPlotTop = 214;
constexpr int kCoinsPlotTop = 342;

// Draws with the canvas's own calls, texts given in UTF-8.
class Painter {
 public:
  explicit Painter(DisplayList& out) : out_(out) {}

  // A one-pixel pen leaves the end point out; a wider one draws it.
  void Line(int x1, int y1, int x2, int y2, int width, Colour c) {
    DrawCall& call = out_.calls.emplace_back();
    call.kind = DrawCallKind::Line;
    call.x = x1;
    call.y = y1;
    call.w = x2;
    call.h = y2;
    call.size = width;
    call.red = c.red;
    call.green = c.green;
    call.blue = c.blue;
  }
  // Rows top to bottom - 1, columns left to right - 1.
  void Fill(int left, int top, int right, int bottom, Colour c) {
    for (int y = top; y < bottom; ++y) Line(left, y, right, y, 1, c);
  }
  void Text(int x, int y, int size, Colour c, const std::string& utf8) {
    DrawCall& call = out_.calls.emplace_back();
    call.kind = DrawCallKind::Text;
    call.x = x;
    call.y = y;
    call.size = size;
    call.red = c.red;
    call.green = c.green;
    call.blue = c.blue;
    call.text = cabinet::TextAsShiftJis(utf8);
  }
  // Lined up on their right end, as numbers in a column are.
  void TextEndingAt(int right, int y, int size, Colour c, const std::string& utf8) {
    Text(right, y, size, c, utf8);
    out_.calls.back().x -= cabinet::TextWidth(out_.calls.back().text, size);
  }
  void TextCentredOn(int centre, int y, int size, Colour c, const std::string& utf8, int rightLimit) {
    Text(centre, y, size, c, utf8);
    DrawCall& call = out_.calls.back();
    const int width = cabinet::TextWidth(call.text, size);
    call.x = std::min(centre - width / 2, rightLimit - width);
  }

 private:
  DisplayList& out_;
};

// h:mm:ss, or m:ss below an hour.
std::string Clock(long long seconds, bool withSeconds = true) {
  char text[40];
  const long long h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  if (h == 0)
    std::snprintf(text, sizeof text, "%lld:%02lld", m, s);
  else if (withSeconds)
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", h, m, s);
  else
    std::snprintf(text, sizeof text, "%lld:%02lld", h, m);
  return text;
}

// An axis value in few characters: 25000 as 25k, 3000000 as 3M. Axis steps
// are 1, 2 or 5 times a power of ten, so nothing is rounded away.
std::string Short(long long v) {
  if (v >= 1'000'000 && v % 100'000 == 0) {
    std::string text = std::to_string(v / 1'000'000);
    if (v % 1'000'000 != 0) text += "." + std::to_string(v / 100'000 % 10);
    return text + "M";
  }
  if (v >= 10'000 && v % 1000 == 0) return std::to_string(v / 1000) + "k";
  return std::to_string(v);
}

// The step of an axis from 0 to at least `most`, in at most four steps.
long long ValueStep(long long most) {
  for (long long magnitude = 1;; magnitude *= 10)
    for (long long m : {1, 2, 5})
      if (m * magnitude * 4 >= most) return m * magnitude;
}

// The step of the time axis over `seconds`, in at most six steps.
long long TimeStep(long long seconds) {
  constexpr long long kSteps[] = {10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
  for (long long step : kSteps)
    if (step * 6 >= seconds) return step;
  long long step = 86400;
  while (step * 6 < seconds) step *= 2;
  return step;
}

struct Row {
  const Words* label;
  std::string value;
  Colour labelColour = kLabel;
  int indent = 0;
};

void ListAccount(Painter& paint, const SessionSummary& summary, const GameNow& now, Language language) {
  const PlayStats c = summary.Counts();
  const long long seconds = summary.Ticks() * now.tickPeriodMs / 1000;
  const double ratio = summary.PayoutRatio();
  char ratioText[32];
  std::snprintf(ratioText, sizeof ratioText, "%.3f", ratio);
  std::vector<Row> play = {
      {&shell_fact::kStatsTimePlayedWords, Clock(seconds)},
      {&shell_fact::kStatsTicksWords, std::to_string(summary.Ticks())},
      {&shell_fact::kStatsCreditsWords, std::to_string(now.credits)},
      {&shell_fact::kStatsCoinsInPlayWords, std::to_string(now.coinsInPlay)},
      {&shell_fact::kStatsPeakCoinsWords, std::to_string(summary.PeakCoinsInPlay())},
      {&shell_fact::kStatsPayoutRatioWords, ratio < 0 ? Say(shell_fact::kStatsNoneWords, language) : ratioText},
  };
  if (summary.FreePlayCredits())
    play.push_back({&shell_fact::kStatsFreePlayWords, std::to_string(*summary.FreePlayCredits())});
  const std::vector<Row> coins = {
      {&shell_fact::kStatsCoinsBoughtWords, std::to_string(c.coinsBought)},
      {&shell_fact::kStatsCoinsPaidOutWords, std::to_string(c.coinsPaidOut)},
      {&shell_fact::kStatsCreditsForThemWords, std::to_string(c.creditsFromPayouts), kFaintLabel, 10},
      {&shell_fact::kStatsBonusCoinsWords, std::to_string(c.bonusCoins)},
      {&shell_fact::kStatsBonusPaidOutWords, std::to_string(c.bonusCoinsPaidOut)},
      {&shell_fact::kStatsCreditsForThemWords, std::to_string(c.creditsFromBonusCoins), kFaintLabel, 10},
  };
  const std::vector<Row> lottery = {
      {&shell_fact::kStatsLotterySpinsWords, std::to_string(c.lotterySpins)},
      {&shell_fact::kStatsCoinPrizesWords, std::to_string(c.coinPrizes), kPrizeColours[GameHistory::CoinPrize]},
      {&shell_fact::kStatsPrizeCoinsWords, std::to_string(c.prizeCoins), kFaintLabel, 10},
      {&shell_fact::kStatsSweepPrizesWords, std::to_string(c.sweepPrizes), kPrizeColours[GameHistory::SweepPrize]},
      {&shell_fact::kStatsMagicPrizesWords, std::to_string(c.magicPrizes), kPrizeColours[GameHistory::MagicPrize]},
      {&shell_fact::kStatsBlankPrizesWords, std::to_string(c.blankPrizes)},
      {&shell_fact::kStatsSweepsWords, std::to_string(c.sweeps)},
      {&shell_fact::kStatsCoinsSweptWords, std::to_string(c.coinsSwept), kFaintLabel, 10},
  };
  const std::vector<Row>* columns[] = {&play, &coins, &lottery};
  for (int column = 0; column < 3; ++column) {
    const int left = kColumnLeft[column];
    for (std::size_t i = 0; i < columns[column]->size(); ++i) {
      const Row& row = (*columns[column])[i];
      const int y = kFirstRowTop + static_cast<int>(i) * kRowHeight;
      paint.Text(left + row.indent, y, kTextSize, row.labelColour, Say(*row.label, language));
      paint.TextEndingAt(left + kColumnWidth, y, kTextSize, kValue, row.value);
    }
  }
}

// Where the plots put a tick and a value.
struct TimeAxis {
  long long firstTick;
  double ticksAcross;  // the plots' width in ticks
  int X(long long tick) const {
    return kPlotLeft + static_cast<int>(static_cast<double>(tick - firstTick) / ticksAcross * (kPlotRight - kPlotLeft));
  }
};

void ListTimeGrid(Painter& paint, const TimeAxis& axis, long long seconds, const GameNow& now) {
  const long long step = TimeStep(seconds);
  const bool hours = seconds >= 3600;
  for (long long s = 0; s <= seconds; s += step) {
    const int x = axis.X(axis.firstTick + s * 1000 / now.tickPeriodMs);
    for (int top : {kCreditsPlotTop, kCoinsPlotTop}) paint.Line(x, top, x, top + kPlotHeight, 1, kGrid);
    paint.TextCentredOn(x, kCoinsPlotTop + kPlotHeight + kPrizeStripHeight + 3, kAxisTextSize, kLabel, Clock(s, !hours),
                        kStatisticsPictureWidth - 4);
  }
}

// One quantity over the game: a filled area under its line, on a grid of
// labelled values, with the lottery's prizes marked under its time axis.
template <typename Value>
void ListPlot(Painter& paint, const GameHistory& history, const TimeAxis& axis, int top, const Words& title,
              Colour line, Colour area, Value value, Language language) {
  const std::vector<GameHistory::Point>& points = history.Points();
  const int bottom = top + kPlotHeight;
  paint.Text(kPlotLeft, top - 19, kTextSize, line, Say(title, language));

  long long most = 0;
  for (const GameHistory::Point& p : points) most = std::max(most, value(p));
  const long long step = ValueStep(std::max<long long>(most, 10));
  const long long highest = (std::max<long long>(most, 1) + step - 1) / step * step;
  auto y = [&](long long v) {
    return bottom - static_cast<int>(static_cast<double>(v) / static_cast<double>(highest) * kPlotHeight);
  };
  for (long long v = 0; v <= highest; v += step) {
    if (v > 0) paint.Line(kPlotLeft, y(v), kPlotRight + 1, y(v), 1, kGrid);
    paint.TextEndingAt(kPlotLeft - 6, y(v) - kAxisTextSize / 2 - 1, kAxisTextSize, kLabel, Short(v));
  }

  // The area: each column up to the highest value any point in it had, or
  // the last one before it where no point falls.
  std::vector<long long> columnMost(static_cast<std::size_t>(kPlotRight - kPlotLeft + 1), -1);
  int lastColumn = -1;
  for (const GameHistory::Point& p : points) {
    const int column = std::clamp(axis.X(p.tick) - kPlotLeft, 0, kPlotRight - kPlotLeft);
    long long& m = columnMost[static_cast<std::size_t>(column)];
    m = std::max(m, value(p));
    lastColumn = std::max(lastColumn, column);
  }
  std::size_t next = 0;
  long long carried = 0;
  for (int column = 0; column <= lastColumn; ++column) {
    for (; next < points.size() && axis.X(points[next].tick) - kPlotLeft <= column; ++next)
      carried = value(points[next]);
    const long long m = std::max(columnMost[static_cast<std::size_t>(column)], carried);
    if (m > 0) paint.Line(kPlotLeft + column, bottom, kPlotLeft + column, y(m), 1, area);
  }
  for (std::size_t i = 1; i < points.size(); ++i)
    paint.Line(axis.X(points[i - 1].tick), y(value(points[i - 1])), axis.X(points[i].tick), y(value(points[i])), 2,
               line);

  paint.Line(kPlotLeft, top, kPlotLeft, bottom + 1, 1, kAxis);
  paint.Line(kPlotLeft, bottom, kPlotRight + 1, bottom, 1, kAxis);
  for (int kind = 0; kind < GameHistory::kPrizeKinds; ++kind) {
    const int laneTop = bottom + 2 + kind * (kPrizeLaneHeight + 1);
    for (std::size_t i = 1; i < points.size(); ++i)
      if (points[i].prizes[kind] > points[i - 1].prizes[kind]) {
        const int x = axis.X(points[i].tick);
        paint.Fill(x, laneTop, x + 2, laneTop + kPrizeLaneHeight, kPrizeColours[kind]);
      }
  }
}

}  // namespace

void ListStatisticsPicture(const SessionSummary& summary, const GameHistory& history, const GameNow& now,
                           Language language, DisplayList& out) {
  out.Clear();
  Painter paint(out);
  paint.Fill(0, 0, kStatisticsPictureWidth, kStatisticsPictureHeight, kBackground);
  paint.Fill(8, 42, kStatisticsPictureWidth - 8, 42 + 8 * kRowHeight + 12, kPanel);
  paint.Text(18, 10, kTitleSize, kTitle, Say(shell_fact::kStatisticsCaptionWords, language));
  paint.Line(18, 36, kStatisticsPictureWidth - 18, 36, 1, kTitle);
  ListAccount(paint, summary, now, language);

  const std::vector<GameHistory::Point>& points = history.Points();
  if (points.empty()) return;
  // A young game fills the plots from the left over its first minute.
  const long long played = points.back().tick - points.front().tick;
  const long long minuteOfTicks = 60'000 / now.tickPeriodMs;
  const TimeAxis axis{points.front().tick, static_cast<double>(std::max(played, minuteOfTicks))};
  const long long seconds = std::max(played, minuteOfTicks) * now.tickPeriodMs / 1000;
  ListTimeGrid(paint, axis, seconds, now);
  ListPlot(
      paint, history, axis, kCreditsPlotTop, shell_fact::kStatsCreditsPlotWords, kCreditsLine, kCreditsArea,
      [](const GameHistory::Point& p) { return static_cast<long long>(p.credits); }, language);
  ListPlot(
      paint, history, axis, kCoinsPlotTop, shell_fact::kStatsCoinsPlotWords, kCoinsLine, kCoinsArea,
      [](const GameHistory::Point& p) { return p.coinsInPlay; }, language);
}
