#include "cabinet/cabinet.h"

#include <array>
#include <cstdlib>
#include <utility>

#include "cabinet/game_moment.h"
#include "cabinet/tick.h"
#include "canvas/canvas.h"
#include "canvas/shift_jis.h"
#include "canvas/text_rasterizer.h"
#include "game/constants.h"
#include "game/counters.h"
#include "game/coin_life.h"
#include "game/state.h"
#include "render/asset_names.h"
#include "canvas/display_list_change.h"
#include "render/in_between.h"
#include "render/sound_cue.h"

namespace cabinet {

namespace {
std::vector<std::string_view> tickSounds;

TickResult LastTick() { return {&FrameDisplayList(), &tickSounds}; }
}  // namespace

void ResetProgram() { ResetProgramState(); }

TickTimer Create(long long startingCredits) {
  ResetGame();
  tickSounds.clear();
  game.credits = static_cast<int>(startingCredits);
  return {kTickTimerId, kTickPeriodMs};
}

void KeyDown(int virtualKey) { InsertCoin(virtualKey); }
void DropCoin(Lane lane) { KeyDown(LaneKey(lane)); }

TickResult Tick(bool listDrawing) {
  SetFrameListing(listDrawing);
  GameTick();
  // The key-downs' requests came first, so they lead the tick's list.
  tickSounds.assign(PendingSoundCues().begin(), PendingSoundCues().end());
  ClearSoundCues();
  return LastTick();
}

const DisplayList& LookAhead(std::span<const int> keysBefore) {
  static DisplayList ahead;
  // Everything the tick below changes that is not in a snapshot is set
  // aside, and the listeners that would hear it are deaf meanwhile.
  static GameMoment moment;
  moment.Take();
  std::vector<std::string_view> cues = TakeSoundCues();
  SoundOutput* const listener = SetSoundOutput(nullptr);
  CanvasCallSink* const observer = SetFrameObserver(nullptr);
  const bool listing = FrameListing();
  std::swap(ahead, FrameDisplayList());

  SetFrameListing(true);
  for (int key : keysBefore) KeyDown(key);
  GameTick();

  std::swap(ahead, FrameDisplayList());
  PutBackSoundCues(std::move(cues));
  moment.PutBack();
  SetFrameListing(listing);
  SetFrameObserver(observer);
  SetSoundOutput(listener);
  return ahead;
}

void ListInBetween(const DisplayList& from, const DisplayList& to, double fraction, DisplayList& out) {
  ::ListInBetween(from, to, fraction, out);
}

LastSound LastSoundRequested() { return {LastCue().name, LastCue().tick}; }

std::span<const char* const> PictureFiles() { return asset::kAllPictures; }
std::span<const char* const> SoundFiles() { return asset::kAllSounds; }

std::string TextAsUtf8(std::string_view sjisText) { return ShiftJisToUtf8(sjisText); }
std::string TextAsShiftJis(std::string_view utf8Text) { return Utf8ToShiftJis(utf8Text); }

int TextWidth(std::string_view sjisText, int height) {
  TextCoverage coverage;
  if (!RasterizeText(sjisText, height, coverage)) return 0;
  return coverage.offsetX + coverage.width;
}

int Credits() { return game.credits; }
std::uint32_t RandomState() { return game.randState; }
std::int64_t TicksRun() { return CabinetTick(); }
std::int64_t CoinsInPlay() {
  std::int64_t count = 0;
  ForEachCoinInPlay([&count](int) { ++count; });
  return count;
}
const PlayStats& Stats() { return playStats; }

std::span<const CounterReading> ReadCounters() {
  static std::array<CounterReading, kCounterCount> readings;
  for (const CounterFacts& counter : kCounters) readings[counter.traceSlot] = {counter.traceKey, game.*counter.field};
  return readings;
}

void ReadCoins(std::vector<CoinReadout>& coins) {
  coins.clear();
  ForEachCoinInPlay([&coins](int i) {
    coins.push_back({i, static_cast<int>(game.coinState[i]), game.coinX[i], game.coinY[i], game.coinVy[i]});
  });
}

struct FrameComposer::Surface {
  Canvas canvas;
};

FrameComposer::FrameComposer(int width, int height) : surface_(std::make_unique<Surface>()) {
  surface_->canvas.Attach(nullptr, width, height);
}
FrameComposer::~FrameComposer() = default;

void FrameComposer::SetPictureFolder(std::string folder) { surface_->canvas.SetFileDirectory(std::move(folder)); }
const std::string& FrameComposer::PictureFolder() const { return surface_->canvas.FileDirectory(); }

const std::uint32_t* FrameComposer::Compose(const DisplayList& list) {
  surface_->canvas.BeginFrame();
  ComposeDisplayList(list, surface_->canvas);
  surface_->canvas.EndFrame();
  return Pixels();
}
void FrameComposer::SetRegion(int x, int y, int w, int h) { surface_->canvas.SetRegion(x, y, w, h); }
CanvasBox FrameComposer::ComposeOver(const DisplayList& before, const DisplayList& after) {
  Canvas& canvas = surface_->canvas;
  const CanvasBox region = canvas.Region();
  canvas.BeginFrame();
  // A picture file changed on disk shows at once, everywhere.
  const std::vector<CanvasBox> boxes =
      canvas.PicturesAsLastRead() ? WhereListsDiffer(before, after, canvas) : std::vector<CanvasBox>{region};
  CanvasBox changed;
  for (const CanvasBox& box : boxes) {
    const CanvasBox part = box.Within(region);
    if (part.Empty()) continue;
    canvas.SetRegion(part.left, part.top, part.right - part.left, part.bottom - part.top);
    canvas.DrawAgainInFrame();
    ComposeDisplayList(after, canvas);
    changed = changed.With(part);
  }
  canvas.EndFrame();
  canvas.SetRegion(region.left, region.top, region.right - region.left, region.bottom - region.top);
  return changed;
}
void FrameComposer::LayOutTexts(const DisplayList& list) {
  for (const DrawCall& call : list.calls)
    if (call.kind == DrawCallKind::Text) surface_->canvas.TextBox(call.x, call.y, call.size, call.text);
}

const std::uint32_t* FrameComposer::Pixels() const { return surface_->canvas.Pixels(); }
int FrameComposer::Width() const { return surface_->canvas.Width(); }
int FrameComposer::Height() const { return surface_->canvas.Height(); }
std::size_t FrameComposer::PictureDecodeCount() const { return surface_->canvas.PictureDecodeCount(); }

}  // namespace cabinet
