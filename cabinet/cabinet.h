#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cabinet/snapshot.h"
#include "canvas/display_list.h"
#include "game/constants.h"
#include "game/play_stats.h"

// The one door into the game, for the session driver behind every front
// end: the game's own code is behind it, and nothing out here reads or
// writes the game but through these calls and the snapshots. A tick hands
// back what it drew, as a display list, and the sounds it asked for; the
// picture is composed only by whoever wants it (FrameComposer).
namespace cabinet {

// Everything as a freshly started program holds it: for a second game in
// one process, or a record replayed from its start.
void ResetProgram();

// The clock the game asks of its window: every expiry of timer `id` is one
// Tick, never caught up.
struct TickTimer {
  int id;
  int periodMs;
};

// The window's creation: the table seeded, with `startingCredits` (free
// play; 0 as the game starts). The window's clock is the front end's: it
// starts the timer returned, once the reset is over.
TickTimer Create(long long startingCredits = 0);

// A key-down, between two ticks: a lane's arrow key drops a coin there.
enum class Lane { Left, Right };
void KeyDown(int virtualKey);
void DropCoin(Lane lane);
// The virtual key of a lane, as key records write it.
// (Known at compile time, so the key-script format can name the lanes
// without linking the game.)
constexpr int LaneKey(Lane lane) { return lane == Lane::Left ? kVirtualKeyLeft : kVirtualKeyRight; }

// What one tick did: its frame as the drawing calls made, in order, and
// the wave files it asked to play, in request order (with those asked for
// by the key-downs before it). Both stay valid until the next Tick, Create
// or LoadSnapshot.
struct TickResult {
  const DisplayList* display;
  const std::vector<std::string_view>* sounds;
};
// Without `listDrawing` the display list stays empty, for a tick whose
// picture nobody will see or trace (a skip): the game itself is the same.
TickResult Tick(bool listDrawing = true);

// The display list the next tick will draw if `keysBefore` are pressed
// before it (after any pressed since the last tick), worked out on a copy
// of the game: the game, its random stream, its sounds and the last tick's
// list stay exactly as they were, and no sound is asked for. Valid until
// the next LookAhead.
const DisplayList& LookAhead(std::span<const int> keysBefore = {});

// A picture between two ticks, as a display list: `to`'s drawing calls,
// in its order, with each moving thing it shares with `from` (a coin of the
// same slot, the pusher, the gate, the sweeper, the magic figure, a bonus
// marker) put `fraction` (0 to 1) of the way from its place in `from`, in
// whole canvas pixels, and the pusher sized the same way. A new thing, or
// one that jumped further than anything moves in a tick, is where `to` has
// it, as is everything that never moves. At fraction 1 it is `to`.
void ListInBetween(const DisplayList& from, const DisplayList& to, double fraction, DisplayList& out);

// The last sound requested and the tick it was requested in: as a new
// sound cuts off the one playing, the only one that may still be heard.
struct LastSound {
  std::string name;  // empty: none since the creation reset
  std::int64_t tick = 0;
};
LastSound LastSoundRequested();

// The files the game reads by bare name: its pictures and its sounds.
std::span<const char* const> PictureFiles();
std::span<const char* const> SoundFiles();

// A Shift-JIS text of the display list, as UTF-8.
std::string TextAsUtf8(std::string_view sjisText);
// A UTF-8 text as a display list's text call takes it (Shift-JIS), for a
// list drawn out here; what Shift-JIS cannot hold becomes '?'.
std::string TextAsShiftJis(std::string_view utf8Text);
// How far right of its corner a Shift-JIS text draws at `height` (a text
// call's size), for lining texts up: 0 for one that draws nothing.
int TextWidth(std::string_view sjisText, int height);

// The few facts a front end shows or records.
int Credits();
std::uint32_t RandomState();
std::int64_t TicksRun();
std::int64_t CoinsInPlay();
const PlayStats& Stats();

// What a trace line shows of the game between two ticks: its counters,
// each by its key, in the line's order (after the tick and RandomState()),
// and each coin in play (slot, state code, place, vertical speed).
struct CounterReading {
  std::string_view key;
  int value;
};
// Valid until the next call.
std::span<const CounterReading> ReadCounters();
struct CoinReadout {
  int slot, state, x, y, vy;
};
// The coins in play, in slot order, into `coins` (emptied first).
void ReadCoins(std::vector<CoinReadout>& coins);

// Composes display lists into pictures of the game's canvas (1200 by 800,
// pixels 0x00RRGGBB, rows top-down), reading the picture files by name
// from its folder. Each composer keeps its own decoded pictures.
class FrameComposer {
 public:
  // Of another size: the About box's band.
  explicit FrameComposer(int width = 1200, int height = 800);
  ~FrameComposer();
  FrameComposer(const FrameComposer&) = delete;
  FrameComposer& operator=(const FrameComposer&) = delete;

  // Where bare picture file names are looked up; empty: the working folder.
  void SetPictureFolder(std::string folder);
  const std::string& PictureFolder() const;

  // The picture of `list`, drawn over a black canvas (every frame clears
  // it first anyway); valid until the next Compose. Each picture file is
  // looked up once per Compose: a file changed on disk shows in the next.
  const std::uint32_t* Compose(const DisplayList& list);
  // Composes only the rectangle (x, y, w, h) of the canvas from now on,
  // for a viewer that shows no more (a window's client area): inside it
  // the pixels are those of a whole picture, outside they are left as they
  // were and mean nothing. The whole canvas until set; it is cut to the
  // canvas, and an empty one composes nothing.
  void SetRegion(int x, int y, int w, int h);
  // Composes `after` over the picture of `before`, which the composer holds
  // within the region, only where the two can differ (everywhere when a
  // picture file has changed on disk); returns that part (empty: the
  // pictures are the same). Frames of ticks that follow each other, and
  // pictures between them, differ where things moved: a small part.
  CanvasBox ComposeOver(const DisplayList& before, const DisplayList& after);
  // Lays out the texts of `list` now, so that composing it later (a tick
  // worked out ahead, in the pictures on the way to it) only draws.
  void LayOutTexts(const DisplayList& list);
  const std::uint32_t* Pixels() const;
  int Width() const;
  int Height() const;
  // How many times a picture file has been read and decoded so far.
  std::size_t PictureDecodeCount() const;

 private:
  struct Surface;
  std::unique_ptr<Surface> surface_;
};

}  // namespace cabinet
