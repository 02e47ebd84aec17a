#include "cabinet/snapshot.h"

#include "cabinet/canvas_style_fields.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

#include "bonus/prize_board.h"
#include "cabinet/tick.h"
#include "game/counters.h"
#include "game/play_stats.h"
#include "game/simulation_path.h"
#include "game/state.h"
#include "render/asset_names.h"
#include "render/sound_cue.h"

namespace {

constexpr char kMagic[8] = {'M', 'R', 'B', 'L', 'S', 'N', 'A', 'P'};
constexpr std::size_t kHeaderSize = 24;  // magic, version, body length, tick
constexpr std::size_t kTrailerSize = 4;  // checksum
// Far beyond the largest snapshot (every slot in play, every pair coded:
// about 3.2 MB), so that a file is never read whole just to be refused.
constexpr std::size_t kMaxSnapshotSize = std::size_t{16} << 20;
// The lottery box is a rectangle of the canvas's size or so; the bound only
// keeps the arithmetic of the next ticks far from overflow.
constexpr long long kMaxCoordinate = 1'000'000;
// Every coin, in play or an earlier life's values in a free slot, lies on
// the canvas and falls less than its height in a tick: a coin off it could
// never come back, and one far off overflows the arithmetic of the ticks
// that follow.
constexpr long long kMaxFallSpeed = kCanvasHeight;
// Far beyond any game (billions of years of a coin every tick), and low
// enough that two totals add up without overflow.
constexpr std::int64_t kMaxPlayTotal = std::numeric_limits<std::int64_t>::max() / 2;
// Millions of years of play; the bound keeps tick counts that go on from a
// snapshot far from overflow.
constexpr long long kMaxTick = 1'000'000'000'000'000LL;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  static const auto table = [] {
    struct Table {
      std::uint32_t entry[256];
    } t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1u ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t.entry[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) crc = table.entry[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

constexpr int ScreenBox::*kBoxFields[] = {&ScreenBox::left, &ScreenBox::top, &ScreenBox::right, &ScreenBox::bottom};

constexpr std::int64_t PlayStats::*kStatFields[] = {
    &PlayStats::coinsBought,
    &PlayStats::coinsPaidOut,
    &PlayStats::creditsFromPayouts,
    &PlayStats::bonusCoinsPaidOut,
    &PlayStats::creditsFromBonusCoins,
    &PlayStats::lotterySpins,
    &PlayStats::coinPrizes,
    &PlayStats::sweepPrizes,
    &PlayStats::magicPrizes,
    &PlayStats::blankPrizes,
    &PlayStats::prizeCoins,
    &PlayStats::sweeps,
    &PlayStats::coinsSwept,
    &PlayStats::bonusCoins,
};

class Writer {
 public:
  explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
  void U8(std::uint8_t v) { out_.push_back(v); }
  void U16(std::uint16_t v) { Bytes(v, 2); }
  void U32(std::uint32_t v) { Bytes(v, 4); }
  void I32(std::int32_t v) { Bytes(static_cast<std::uint32_t>(v), 4); }
  void I64(std::int64_t v) { Bytes(static_cast<std::uint64_t>(v), 8); }

 private:
  void Bytes(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  std::vector<std::uint8_t>& out_;
};

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool U8(std::uint8_t& v) { return Take(v, 1); }
  bool U16(std::uint16_t& v) { return Take(v, 2); }
  bool U32(std::uint32_t& v) { return Take(v, 4); }
  bool I32(std::int32_t& v) {
    std::uint32_t u = 0;
    if (!Take(u, 4)) return false;
    v = static_cast<std::int32_t>(u);
    return true;
  }
  bool I64(std::int64_t& v) {
    std::uint64_t u = 0;
    if (!Take(u, 8)) return false;
    v = static_cast<std::int64_t>(u);
    return true;
  }
  const std::uint8_t* Span(std::size_t n) {
    if (size_ - pos_ < n) return nullptr;
    pos_ += n;
    return data_ + pos_ - n;
  }
  std::size_t Left() const { return size_ - pos_; }

 private:
  template <typename T>
  bool Take(T& v, int n) {
    if (size_ - pos_ < static_cast<std::size_t>(n)) return false;
    std::uint64_t x = 0;
    for (int i = 0; i < n; ++i) x |= std::uint64_t{data_[pos_ + i]} << (8 * i);
    pos_ += static_cast<std::size_t>(n);
    v = static_cast<T>(x);
    return true;
  }
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A slot is stored when it is in play or still holds values from an
// earlier life (which decide nothing until the slot is reused, but a bonus
// coin keeps its slot's old fall speed).
bool Stored(int i) {
  return game.coinState[i] != CoinState::Free || game.coinX[i] != 0 || game.coinY[i] != 0 || game.coinVy[i] != 0;
}

bool HoldsContacts(CoinState s) { return s == CoinState::OnPusher || s == CoinState::OnField; }

struct CoinRecord {
  int slot;
  CoinState state;
  std::int32_t x, y, vy;
};

// Everything a snapshot holds, read and checked before any of it is used.
struct Decoded {
  std::int64_t tick = 0;
  int ints[kCounterCount] = {};
  ScreenBox box;
  std::uint32_t randState = 0;
  LastSoundCue cue;
  int style[std::size(kStyleFields)] = {};
  PlayStats stats;
  std::vector<CoinRecord> coins;
  std::vector<int> inPlay;              // slots not Free, ascending
  const std::uint8_t* codes = nullptr;  // two bits a pair of `inPlay`, row by row
};

std::size_t CodeBytes(std::size_t inPlay) { return (inPlay * (inPlay - (inPlay > 0)) / 2 * 2 + 7) / 8; }

unsigned CodeAt(const std::uint8_t* codes, std::size_t pair) { return (codes[pair >> 2] >> (2 * (pair & 3))) & 3u; }

std::string OutOfRange(const char* what, long long value, long long min, long long max) {
  return std::string("the snapshot's ") + what + " " + std::to_string(value) + " is out of range (" +
         std::to_string(min) + " to " + std::to_string(max) + ")";
}

// Reads the body; false with the reason when it does not hold.
bool Decode(Reader& in, Decoded& d, std::string& why) {
  const auto truncated = [&] {
    why = "the snapshot is truncated";
    return false;
  };
  for (std::size_t f = 0; f < kCounterCount; ++f) {
    std::int32_t v = 0;
    if (!in.I32(v)) return truncated();
    long long max = kCounters[f].max;
    // The coins waiting come from the lottery's stops, one a tick at most.
    if (kCounters[f].field == &GameState::pendingCoins && d.tick < max / kLargestCoinPrize)
      max = d.tick * kLargestCoinPrize;
    if (v < kCounters[f].min || v > max) return why = OutOfRange(kCounters[f].name, v, kCounters[f].min, max), false;
    d.ints[f] = v;
  }
  for (auto field : kBoxFields) {
    std::int32_t v = 0;
    if (!in.I32(v)) return truncated();
    if (v < -kMaxCoordinate || v > kMaxCoordinate)
      return why = OutOfRange("lottery box", v, -kMaxCoordinate, kMaxCoordinate), false;
    d.box.*field = v;
  }
  if (!in.U32(d.randState)) return truncated();

  std::uint8_t nameLength = 0;
  if (!in.U8(nameLength)) return truncated();
  const std::uint8_t* name = in.Span(nameLength);
  if (!name || !in.I64(d.cue.tick)) return truncated();
  d.cue.name.assign(reinterpret_cast<const char*>(name), nameLength);
  if (!d.cue.name.empty()) {
    bool known = false;
    for (const char* sound : asset::kAllSounds) known = known || d.cue.name == sound;
    if (!known) return why = "the snapshot's last sound is not one of the game's sounds", false;
    if (d.cue.tick < 1 || d.cue.tick > d.tick)
      return why = OutOfRange("last sound's tick", d.cue.tick, 1, d.tick), false;
  } else if (d.cue.tick != 0) {
    return why = "the snapshot gives a tick for a sound it does not name", false;
  }

  for (std::size_t f = 0; f < std::size(kStyleFields); ++f) {
    std::int32_t v = 0;
    if (!in.I32(v)) return truncated();
    if (v < 0 || v > kStyleFields[f].max)
      return why = OutOfRange(kStyleFields[f].name, v, 0, kStyleFields[f].max), false;
    d.style[f] = v;
  }
  for (auto field : kStatFields) {
    std::int64_t v = 0;
    if (!in.I64(v)) return truncated();
    if (v < 0 || v > kMaxPlayTotal) return why = OutOfRange("play total", v, 0, kMaxPlayTotal), false;
    d.stats.*field = v;
  }

  std::uint16_t count = 0;
  if (!in.U16(count)) return truncated();
  if (count > kCoinSlots) return why = "the snapshot lists more coin slots than the cabinet has", false;
  d.coins.reserve(count);
  for (int n = 0; n < count; ++n) {
    std::uint16_t slot = 0;
    std::uint8_t state = 0;
    CoinRecord c{};
    if (!in.U16(slot) || !in.U8(state) || !in.I32(c.x) || !in.I32(c.y) || !in.I32(c.vy)) return truncated();
    if (slot >= kCoinSlots || (!d.coins.empty() && slot <= d.coins.back().slot))
      return why = "the snapshot's coin slots are not in ascending order within the pool", false;
    if (state > static_cast<std::uint8_t>(CoinState::PaidOut))
      return why = "the snapshot's coin in slot " + std::to_string(slot) + " has an unknown state " +
                   std::to_string(state),
             false;
    if (c.x < 0 || c.x >= kCanvasWidth) return why = OutOfRange("coin's x", c.x, 0, kCanvasWidth - 1), false;
    if (c.y < 0 || c.y >= kCanvasHeight) return why = OutOfRange("coin's y", c.y, 0, kCanvasHeight - 1), false;
    if (c.vy < 0 || c.vy > kMaxFallSpeed) return why = OutOfRange("coin's fall speed", c.vy, 0, kMaxFallSpeed), false;
    c.slot = slot;
    c.state = static_cast<CoinState>(state);
    if (c.state == CoinState::Free && c.x == 0 && c.y == 0 && c.vy == 0)
      return why = "the snapshot lists an empty slot " + std::to_string(slot), false;
    d.coins.push_back(c);
    if (c.state != CoinState::Free) d.inPlay.push_back(slot);
  }

  const std::size_t codeBytes = CodeBytes(d.inPlay.size());
  d.codes = in.Span(codeBytes);
  if (!d.codes) return truncated();
  if (in.Left() != 0) return why = "the snapshot has data after its contact codes", false;
  std::size_t pair = 0;
  std::size_t record = 0;
  for (std::size_t a = 0; a < d.inPlay.size(); ++a) {
    while (d.coins[record].slot != d.inPlay[a]) ++record;
    const CoinState stateA = d.coins[record].state;
    std::size_t recordB = record + 1;
    for (std::size_t b = a + 1; b < d.inPlay.size(); ++b, ++pair) {
      const unsigned code = CodeAt(d.codes, pair);
      if (code == 0) continue;
      if (code > ContactAhead) return why = "the snapshot holds an unknown contact code", false;
      while (d.coins[recordB].slot != d.inPlay[b]) ++recordB;
      if (!HoldsContacts(stateA) || !HoldsContacts(d.coins[recordB].state))
        return why = "the snapshot records a contact of slot " + std::to_string(d.inPlay[a]) + " or " +
                     std::to_string(d.inPlay[b]) + ", which is not on the table",
               false;
    }
  }
  // The bits after the last pair are zero, so that a snapshot has one form.
  const std::size_t usedBits = 2 * pair;
  if (usedBits % 8 != 0 && (d.codes[codeBytes - 1] >> (usedBits % 8)) != 0)
    return why = "the snapshot's contact codes end in stray bits", false;
  return true;
}

void Commit(const Decoded& d) {
  ContactTable& table = game.contactMatrix;
  // The codes of the running game live with its coins in play, so clearing
  // those coins' pairs empties the table without touching all of it.
  SyncContactMatrix();
  ForEachCoinInPlay([&](int i) { table.ClearCoin(i); });
  for (int slot : d.inPlay) table.ClearCoin(slot);
  std::memset(game.coinX, 0, sizeof game.coinX);
  std::memset(game.coinY, 0, sizeof game.coinY);
  std::memset(game.coinVy, 0, sizeof game.coinVy);
  std::memset(game.coinState, 0, sizeof game.coinState);
  for (const CoinRecord& c : d.coins) {
    game.coinX[c.slot] = c.x;
    game.coinY[c.slot] = c.y;
    game.coinVy[c.slot] = c.vy;
    game.coinState[c.slot] = c.state;
  }
  std::size_t pair = 0;
  for (std::size_t a = 0; a < d.inPlay.size(); ++a)
    for (std::size_t b = a + 1; b < d.inPlay.size(); ++b, ++pair)
      if (const unsigned code = CodeAt(d.codes, pair))
        table.Set(d.inPlay[a], d.inPlay[b], static_cast<ContactCode>(code));

  for (std::size_t f = 0; f < kCounterCount; ++f) game.*kCounters[f].field = d.ints[f];
  game.lotteryBox = d.box;
  game.randState = d.randState;
  for (std::size_t f = 0; f < std::size(kStyleFields); ++f) mainCanvas.*kStyleFields[f].field = d.style[f];
  playStats = d.stats;
  SetCabinetTick(d.tick);
  RestoreLastCue(d.cue);
  if (const OwnContactStore* own = ActivePath().ownStore) own->load();
}

}  // namespace

std::vector<std::uint8_t> SaveSnapshot() {
  SyncContactMatrix();
  std::vector<int> stored, inPlay;
  for (int i = 0; i < kCoinSlots; ++i) {
    if (!Stored(i)) continue;
    stored.push_back(i);
    if (game.coinState[i] != CoinState::Free) inPlay.push_back(i);
  }
  const std::size_t codeBytes = CodeBytes(inPlay.size());
  std::vector<std::uint8_t> out;
  out.reserve(kHeaderSize + 256 + stored.size() * 15 + codeBytes + kTrailerSize);
  Writer w(out);
  for (char c : kMagic) w.U8(static_cast<std::uint8_t>(c));
  w.U32(kSnapshotVersion);
  w.U32(0);  // the body's length, filled in below
  w.I64(CabinetTick());

  for (const CounterFacts& f : kCounters) w.I32(game.*f.field);
  for (auto field : kBoxFields) w.I32(game.lotteryBox.*field);
  w.U32(game.randState);
  const LastSoundCue& cue = LastCue();
  w.U8(static_cast<std::uint8_t>(cue.name.size()));
  for (char c : cue.name) w.U8(static_cast<std::uint8_t>(c));
  w.I64(cue.tick);
  for (const StyleField& f : kStyleFields) w.I32(mainCanvas.*f.field);
  for (auto field : kStatFields) w.I64(playStats.*field);

  w.U16(static_cast<std::uint16_t>(stored.size()));
  for (int i : stored) {
    w.U16(static_cast<std::uint16_t>(i));
    w.U8(static_cast<std::uint8_t>(game.coinState[i]));
    w.I32(game.coinX[i]);
    w.I32(game.coinY[i]);
    w.I32(game.coinVy[i]);
  }
  const std::size_t codesAt = out.size();
  out.resize(codesAt + codeBytes, 0);
  std::uint8_t* codes = out.data() + codesAt;
  const ContactTable& table = game.contactMatrix;
  std::size_t pair = 0;
  for (std::size_t a = 0; a < inPlay.size(); ++a)
    for (std::size_t b = a + 1; b < inPlay.size(); ++b, ++pair)
      if (const unsigned code = table.Code(inPlay[a], inPlay[b]))
        codes[pair >> 2] |= static_cast<std::uint8_t>(code << (2 * (pair & 3)));

  const std::uint32_t bodyLength = static_cast<std::uint32_t>(out.size() - kHeaderSize);
  for (int i = 0; i < 4; ++i) out[12 + i] = static_cast<std::uint8_t>(bodyLength >> (8 * i));
  Writer(out).U32(Crc32(out.data(), out.size()));
  return out;
}

bool LoadSnapshot(const std::uint8_t* bytes, std::size_t size, std::string& error) {
  if (size < sizeof kMagic || std::memcmp(bytes, kMagic, sizeof kMagic) != 0) {
    error = size < sizeof kMagic ? "the snapshot is truncated" : "not a snapshot of this game";
    return false;
  }
  Reader header(bytes + sizeof kMagic, size - sizeof kMagic);
  std::uint32_t version = 0, bodyLength = 0;
  Decoded d;
  if (!header.U32(version)) return error = "the snapshot is truncated", false;
  if (version != kSnapshotVersion) {
    error = "snapshot version " + std::to_string(version) + " is not supported (this build reads version " +
            std::to_string(kSnapshotVersion) + ")";
    return false;
  }
  if (!header.U32(bodyLength) || !header.I64(d.tick) || size - kHeaderSize < std::size_t{bodyLength} + kTrailerSize)
    return error = "the snapshot is truncated", false;
  if (size - kHeaderSize > std::size_t{bodyLength} + kTrailerSize)
    return error = "the snapshot is longer than its header says", false;
  std::uint32_t checksum = 0;
  Reader(bytes + size - kTrailerSize, kTrailerSize).U32(checksum);
  if (Crc32(bytes, size - kTrailerSize) != checksum)
    return error = "the snapshot's checksum does not match: it is damaged", false;
  if (d.tick < 0 || d.tick > kMaxTick) return error = OutOfRange("tick", d.tick, 0, kMaxTick), false;
  Reader body(bytes + kHeaderSize, bodyLength);
  if (!Decode(body, d, error)) return false;
  Commit(d);
  return true;
}

std::uint32_t SnapshotChecksum(const std::uint8_t* bytes, std::size_t size) { return Crc32(bytes, size); }

bool LoadSnapshotFile(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return error = path + ": cannot read the snapshot", false;
  std::vector<std::uint8_t> bytes;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    if (bytes.size() > kMaxSnapshotSize) return error = path + ": too large to be a snapshot of this game", false;
  }
  if (in.bad()) return error = path + ": cannot read the snapshot", false;
  if (!LoadSnapshot(bytes.data(), bytes.size(), error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}
