#include "app/session/session_summary.h"

#include <cstdio>

#include "cabinet/cabinet.h"

namespace {

std::string Format(const char* format, auto... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

long long L(std::int64_t v) { return static_cast<long long>(v); }

}  // namespace

SessionSummary::SessionSummary() : start_(cabinet::Stats()), peakCoinsInPlay_(cabinet::CoinsInPlay()) {}

void SessionSummary::AfterTick() {
  ++ticks_;
  const std::int64_t inPlay = cabinet::CoinsInPlay();
  if (inPlay > peakCoinsInPlay_) peakCoinsInPlay_ = inPlay;
}

double SessionSummary::PayoutRatio() const {
  const PlayStats c = Counts();
  if (c.coinsBought <= 0) return -1;
  return (static_cast<double>(c.creditsFromPayouts) + static_cast<double>(c.creditsFromBonusCoins)) /
         static_cast<double>(c.coinsBought);
}

PlayStats SessionSummary::Counts() const {
  PlayStats c = cabinet::Stats();
  c.coinsBought -= start_.coinsBought;
  c.coinsPaidOut -= start_.coinsPaidOut;
  c.creditsFromPayouts -= start_.creditsFromPayouts;
  c.bonusCoinsPaidOut -= start_.bonusCoinsPaidOut;
  c.creditsFromBonusCoins -= start_.creditsFromBonusCoins;
  c.lotterySpins -= start_.lotterySpins;
  c.coinPrizes -= start_.coinPrizes;
  c.sweepPrizes -= start_.sweepPrizes;
  c.magicPrizes -= start_.magicPrizes;
  c.blankPrizes -= start_.blankPrizes;
  c.prizeCoins -= start_.prizeCoins;
  c.sweeps -= start_.sweeps;
  c.coinsSwept -= start_.coinsSwept;
  c.bonusCoins -= start_.bonusCoins;
  return c;
}

std::string SessionSummary::Text() const {
  const PlayStats c = Counts();
  const double ratio = PayoutRatio();
  std::string out = Format("Session of %lld ticks\n", L(ticks_));
  if (freePlayCredits_) out += Format("  free play             started with %lld credits\n", L(*freePlayCredits_));
  out += Format("  coins bought          %lld\n", L(c.coinsBought));
  out += Format("  coins paid out        %lld, for %lld credits\n", L(c.coinsPaidOut), L(c.creditsFromPayouts));
  out += Format("  bonus coins           %lld dropped, %lld paid out for %lld credits\n", L(c.bonusCoins),
                L(c.bonusCoinsPaidOut), L(c.creditsFromBonusCoins));
  out +=
      Format("  lottery spins         %lld, prizes: coins %lld (%lld coins), sweeper %lld, magic %lld, blank %lld\n",
             L(c.lotterySpins), L(c.coinPrizes), L(c.prizeCoins), L(c.sweepPrizes), L(c.magicPrizes), L(c.blankPrizes));
  out += Format("  sweeps                %lld, %lld coins swept away\n", L(c.sweeps), L(c.coinsSwept));
  out += Format("  peak coins in play    %lld\n", L(peakCoinsInPlay_));
  out += ratio < 0 ? std::string("  payout ratio          none (no coin bought)\n")
                   : Format("  payout ratio          %.3f credits won per coin bought\n", ratio);
  return out;
}

std::string SessionSummary::Json() const {
  const PlayStats c = Counts();
  const double ratio = PayoutRatio();
  std::string out = Format("{\"ticks\":%lld,\"coinsBought\":%lld,\"coinsPaidOut\":%lld,\"creditsFromPayouts\":%lld,",
                           L(ticks_), L(c.coinsBought), L(c.coinsPaidOut), L(c.creditsFromPayouts));
  out += Format("\"bonusCoins\":%lld,\"bonusCoinsPaidOut\":%lld,\"creditsFromBonusCoins\":%lld,", L(c.bonusCoins),
                L(c.bonusCoinsPaidOut), L(c.creditsFromBonusCoins));
  out += Format("\"lotterySpins\":%lld,\"prizes\":{\"coins\":%lld,\"sweep\":%lld,\"magic\":%lld,\"none\":%lld},",
                L(c.lotterySpins), L(c.coinPrizes), L(c.sweepPrizes), L(c.magicPrizes), L(c.blankPrizes));
  out += Format("\"prizeCoins\":%lld,\"sweeps\":%lld,\"coinsSwept\":%lld,\"peakCoinsInPlay\":%lld,", L(c.prizeCoins),
                L(c.sweeps), L(c.coinsSwept), L(peakCoinsInPlay_));
  out += ratio < 0 ? std::string("\"payoutRatio\":null") : Format("\"payoutRatio\":%.6f", ratio);
  out += freePlayCredits_ ? Format(",\"freePlayCredits\":%lld}", L(*freePlayCredits_))
                          : std::string(",\"freePlayCredits\":null}");
  return out;
}
