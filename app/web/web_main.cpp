// The browser shell: the page's game canvas is the window, the browser's
// interval timer its tick timer, and shell.js turns the page's key presses,
// lane controls, cabinet taps, gamepads, menus and About box into the calls
// below. The page calls main() once the pictures and sounds are in the
// module's file system; its arguments are the desktop shells' options, so
// the page can keep a key record and a trace in that file system.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/session/about_band.h"
#include "app/session/kept_game.h"
#include "app/session/kept_game_shelf.h"
#include "app/session/replay_link.h"
#include "app/session/session_files.h"
#include "app/session/shell_options.h"
#include "app/session/game_session.h"
#include "app/web/browser_sound_output.h"
#include "app/web/live_game.h"
#include "app/web/page_controls.h"
#include "app/web/page_layout.h"
#include "app/web/scripted_run.h"

namespace {

std::unique_ptr<GameSession> session;
// A tick's repaint shows its own frame; web_picture() the ones between.
PageWindowHost mainHost(kGameElementId, kGameAreaWidth, kGameAreaHeight,
                        [] { return session ? session->PictureToShow(0) : PixelView{}; });
std::optional<AboutBandPicture> aboutBand;  // made anew at each opening of the box
PageWindowHost aboutHost(kAboutBandElementId, kAboutBandWidth, kAboutBandHeight,
                         [] { return aboutBand ? aboutBand->Pixels() : PixelView{}; });
BrowserSoundOutput browserSound;
std::string recordFile;  // the session's key record, whichever kind it keeps

bool gameRunning = false;
bool aboutOpen = false;
long long firstTick = 0;  // where this session started: the ticks run since count from here

// A replay link's script being read a slice at a time, then its game,
// which the next session watches.
std::optional<ReplayScriptReader> linkReader;
std::optional<ReplayLinkResult> linkToWatch;
// Watching goes on to the tick the link was shared at, which may come
// after its last press; the player takes over there.
long long watchEndTick = 0;
bool skipping = false;  // a skip to the end is under way, a slice at a time

bool Watching() { return session && (session->ReplayRunning() || session->TicksRun() < watchEndTick); }
long long WatchEnd() { return session ? std::max(watchEndTick, session->ReplayEndTick()) : 0; }

// The page keeps its game where the desktop keeps one on Linux; shell.js
// mounts the browser's storage there.
constexpr const char* kPageStateFolder = "/state";
// Before anything asks where the kept game is.
const bool stateFolderNamed = setenv("XDG_STATE_HOME", kPageStateFolder, 1) == 0;

// What the last key delivered to the game did, for the page's tests.
struct KeyReport {
  long long delivered = 0;
  int virtualKey = 0;
  int creditsBefore = 0;
  int creditsAfter = 0;
} lastKey;

// Pictures between ticks: when the last tick began (the clock of
// performance.now()), and what pictures cost, so that none is begun that
// would still be composing when the next tick is due. The next tick is
// worked out in the tick's task and at each key-down, but the first
// picture after either still composes more than the others: all that
// changed with the tick, not only what moved.
double lastTickAt = 0;
struct PictureCosts {
  double composeMs = 0;
  double lookAheadMs = 0;
  long long tick = -1;  // the tick and key-down the last picture came after
  long long keys = -1;
} pictureCosts;
constexpr double kPictureCostDecay = 0.75;

// Watching as fast as it goes: as many ticks as fit in one frame's time,
// so the page still answers its controls in between.
constexpr double kMaxSpeedSliceMs = 12;

// How many ticks one expiry of the tick timer runs: past a replay's last
// press, a faster watch runs several at the 1x clock.
int TicksPerExpiry() {
  const int speed = session->ReplaySpeed();
  return speed > 1 && !session->ReplayRunning() && Watching() ? speed : 1;
}

void OnTickTimer() {
  if (!session || skipping || session->Paused()) return;
  lastTickAt = emscripten_get_now();
  // A slow picture (a busy moment, code compiled on first use) must not
  // leave out every later one: the costs are taken lower at each tick
  // until a picture fits again and is costed anew.
  pictureCosts.composeMs *= kPictureCostDecay;
  pictureCosts.lookAheadMs *= kPictureCostDecay;
  const int speed = session->ReplaySpeed();
  if (speed == 0 && Watching()) {
    // Only the slice's last frame is composed, when the page shows it.
    const double until = emscripten_get_now() + kMaxSpeedSliceMs;
    do {
      session->Tick(&mainHost);
    } while (Watching() && emscripten_get_now() < until);
    return;
  }
  // Past the last press the session's clock is back at 1x; the ticks to
  // the tick the link was shared at keep the chosen speed.
  const int ticks = TicksPerExpiry();
  for (int i = 1; i < ticks && Watching(); ++i) session->Tick(&mainHost);
  session->Tick(&mainHost);
  // The tick's frame first, then the next tick, which the pictures after
  // it need.
  mainHost.PaintIfNeeded();
  session->WorkOutNextTick();
}

// Ends the game being played, keeping it where it is kept, and starts one
// as `args` (the desktop shells' options) say. Options the page cannot
// follow are reported and the game starts without them.
void StartSession(const std::vector<std::string>& args) {
  if (session) {
    std::string error;
    if (!session->Close(error)) std::fprintf(stderr, "marobel: %s\n", error.c_str());
    session.reset();
  }
  EndScriptedRun();
  session = std::make_unique<GameSession>();
  ShellOptionsResult parsed = ParseShellOptions(args);
  // A link read for this game: its presses go straight in, not read again.
  std::optional<ReplayLinkResult> link = std::move(linkToWatch);
  linkToWatch.reset();
  watchEndTick = 0;
  if (parsed.ok && link && link->keys.startingCredits) parsed.options.credits = link->keys.startingCredits;
  std::string error;
  if (!parsed.ok) {
    std::fprintf(stderr, "marobel: %s\n", parsed.error.c_str());
    parsed.options = ShellOptions{};
  } else if (!session->Open(parsed.options, error) ||
             (link && !session->Replay("the replay link", std::move(link->keys.presses), link->keys.startingCredits,
                                       parsed.options.credits, error))) {
    std::fprintf(stderr, "marobel: %s\n", error.c_str());
    session = std::make_unique<GameSession>();
    parsed.options = ShellOptions{};
  } else if (link) {
    watchEndTick = link->endTick.value_or(0);
  }
  skipping = false;
  recordFile = parsed.options.continueGame ? InFolder(KeptGameFolder(), kKeptRecordName) : parsed.options.recordFile;
  session->SetSoundPlayer(&browserSound);
  ApplyPagePauses(*session);
  gameRunning = true;
  // Window creation: the canvas attached, then the 200 ms timer started.
  session->Reset(&mainHost);
  lastTickAt = emscripten_get_now();
  firstTick = session->TicksRun();
  mainHost.PaintIfNeeded();
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace

PageWindowHost& MainHost() { return mainHost; }
GameSession* LiveSession() { return session.get(); }
bool WatchingReplay() { return Watching(); }
BrowserSoundOutput& PageSound() { return browserSound; }

void ReplaceLiveGame() {
  StopLiveGame();
  session.reset();
}

void StopLiveGame() {
  if (gameRunning && session) session->KeepNow();
  mainHost.StopTimer();
  aboutHost.StopTimer();
  gameRunning = false;
  aboutOpen = false;
}

int main(int argc, char** argv) {
  if (!stateFolderNamed) std::fprintf(stderr, "marobel: the page cannot keep its game\n");
  mainHost.SetTimerHandler(OnTickTimer);
  aboutHost.SetTimerHandler([] {
    if (!aboutBand) return;
    aboutBand->TimerExpired();
    aboutHost.RequestRepaint();
  });
  StartSession(std::vector<std::string>(argv + 1, argv + argc));
  return 0;
}

extern "C" {

// Where the page keeps what outlasts it, for the page to mount the browser's
// storage there before the game starts.
EMSCRIPTEN_KEEPALIVE const char* web_state_folder() { return kPageStateFolder; }

// "LEFT TOP WIDTH HEIGHT": the game pixels of the game area the cabinet takes.
EMSCRIPTEN_KEEPALIVE const char* web_cabinet_span() {
  static const std::string span = std::to_string(kCabinetLeft) + " " + std::to_string(kCabinetTop) + " " +
                                  std::to_string(kCabinetWidth) + " " + std::to_string(kGameAreaHeight - kCabinetTop);
  return span.c_str();
}

// The kept game's files, one path a line, for the page's journal of them.
EMSCRIPTEN_KEEPALIVE const char* web_kept_files() {
  static std::string files;
  const std::string folder = KeptGameFolder();
  files = InFolder(folder, kKeptRecordName) + "\n" + InFolder(folder, kKeptSnapshotName);
  return files.c_str();
}

// The pictures and sounds the game reads, one bare file name a line, so the
// page fetches exactly those.
EMSCRIPTEN_KEEPALIVE const char* web_asset_names() {
  static std::string names;
  if (names.empty()) {
    for (const char* name : GameSession::PictureFiles()) names.append(name).push_back('\n');
    for (const char* name : GameSession::SoundFiles()) names.append(name).push_back('\n');
  }
  return names.c_str();
}

// The page may sound now: every sound the game plays is handed over as it
// will be heard (its file's, or the stand-in beep where the file is missing
// or unreadable), so that no cue waits.
EMSCRIPTEN_KEEPALIVE void web_prepare_sounds() {
  if (!session) return;
  for (const char* name : GameSession::SoundFiles()) browserSound.Prepare(session->ResolveSound(name));
}

// A key-down for the game window, with its virtual-key code: the one way
// into the game for keys, lane controls, cabinet taps and gamepads alike,
// delivered between two ticks. The About box is modal: while it is open,
// keys stay with it. Returns 1 when the key reached the game.
EMSCRIPTEN_KEEPALIVE int web_key_down(int virtualKey) {
  // A watched replay steers alone until the tick it was shared at.
  if (!gameRunning || aboutOpen || !session || Watching() || session->Paused()) return 0;
  ++lastKey.delivered;
  lastKey.virtualKey = virtualKey;
  lastKey.creditsBefore = session->Credits();
  session->PlayerKeyDown(virtualKey);
  lastKey.creditsAfter = session->Credits();
  session->WorkOutNextTick();
  return 1;
}

// The About box opens: a fresh band surface for this opening, shown at
// once, then cleared and repainted by its own 50 ms timer.
EMSCRIPTEN_KEEPALIVE void web_about_opened() {
  aboutOpen = true;
  aboutBand.emplace();
  aboutHost.RequestRepaint();
  aboutHost.PaintIfNeeded();
  aboutHost.StartTimer(kAboutBandTimerId, kAboutBandPeriodMs);
}

// The box has closed (OK or Enter: 1; Escape or its close box: 2).
EMSCRIPTEN_KEEPALIVE void web_about_closed(int) {
  aboutHost.StopTimer();
  aboutOpen = false;
}

// The exit command: the game stops, its last frame stays on the page, and
// a kept game is kept as it stands.
EMSCRIPTEN_KEEPALIVE void web_exit() {
  StopLiveGame();
  if (session) mainHost.Show(session->Frame());
}

// The page's animation frame: shows the picture between the last tick and
// the next for this moment, while the game is smoothed. A picture that
// could not be done before the next tick is due is left out: the ticks
// keep their clock, and only pictures are ever dropped. Returns 1 when a
// picture was shown.
EMSCRIPTEN_KEEPALIVE int web_picture() {
  if (!session || !gameRunning || session->Paused() || skipping || !session->Smoothing() || TicksPerExpiry() != 1)
    return 0;
  const double now = emscripten_get_now();
  const double period = session->TickPeriodMs();
  PictureCosts& costs = pictureCosts;
  const bool looksAhead = costs.tick != session->TicksRun() || costs.keys != lastKey.delivered;
  if (now + costs.composeMs + (looksAhead ? costs.lookAheadMs : 0) >= lastTickAt + period) return 0;
  mainHost.Show(session->PictureToShow(std::clamp((now - lastTickAt) / period, 0.0, 1.0)));
  const double cost = emscripten_get_now() - now;
  if (looksAhead)
    costs.lookAheadMs = std::max(0.0, cost - costs.composeMs);
  else
    costs.composeMs = cost;
  costs.tick = session->TicksRun();
  costs.keys = lastKey.delivered;
  return 1;
}

// The "Smooth motion" menu item, for the game being played: off, the page
// shows each tick's frame alone from now on. The games the page starts
// later take its choice as an option.
EMSCRIPTEN_KEEPALIVE void web_set_smooth(int on) {
  if (!session) return;
  session->SetSmoothMotion(on != 0);
  if (gameRunning) mainHost.Show(session->Frame());
}

// Starts another game in place of this one: `args` are shell options, one
// a line (--continue, --credits N, --replay FILE, --record FILE, --trace FILE),
// in the module's heap (a long text would overrun its stack). A replay
// link read by web_link_read_* is the game's to watch.
EMSCRIPTEN_KEEPALIVE void web_start(const char* args) { StartSession(Lines(args ? args : "")); }

// The page may be closed at any moment: the kept game is written as it
// stands, for the page to hand to the browser's storage.
EMSCRIPTEN_KEEPALIVE void web_keep_now() {
  if (gameRunning && session) session->KeepNow();
}

// What a continue would resume: "TICK CREDITS" of the kept game's last
// marker, or "" when nothing is kept.
EMSCRIPTEN_KEEPALIVE const char* web_kept_game_offer() {
  static std::string offer;
  offer.clear();
  std::string record;
  if (!ReadSessionFile(InFolder(KeptGameFolder(), kKeptRecordName), record)) return "";
  const std::vector<TickMarker> markers = ReadTickMarkers(record);
  if (markers.empty()) {
    // Killed before its first marker: it resumes at the start.
    offer = "0 " + std::to_string(ParseKeyScript(record).startingCredits.value_or(0));
  } else {
    offer = std::to_string(markers.back().tick) + " " + std::to_string(markers.back().credits);
  }
  return offer.c_str();
}

// A new game replaces the kept one; the one it replaces stays beside it,
// once, under another name.
EMSCRIPTEN_KEEPALIVE void web_replace_kept_game() {
  // The game being played is the kept one: it ends, written whole, first.
  if (session) {
    std::string error;
    if (!session->Close(error)) std::fprintf(stderr, "marobel: %s\n", error.c_str());
    session.reset();
  }
  const std::string folder = KeptGameFolder();
  for (const char* name : {kKeptRecordName, kKeptSnapshotName}) {
    const std::string file = InFolder(folder, name);
    if (SessionFileExists(file)) RenameSessionFile(file, file + ".previous");
  }
}

// "Continue the last game": the previous game becomes the kept one, which
// the next start with --continue goes on with; the game being played
// becomes the previous one.
EMSCRIPTEN_KEEPALIVE void web_take_up_previous_game() {
  if (session) {
    std::string error;
    if (!session->Close(error)) std::fprintf(stderr, "marobel: %s\n", error.c_str());
    session.reset();
  }
  TakeUpPreviousGame(KeptGameFolder());
}

// A replay link's script, which the page has unpacked into `file` (no
// larger than web_link_limit(1)), is read a slice at a time: "" when
// reading has begun, else the one line to show the player.
EMSCRIPTEN_KEEPALIVE const char* web_link_read_begin(const char* file) {
  static std::string error;
  std::string script;
  linkToWatch.reset();
  linkReader.reset();
  if (!ReadSessionFile(file, script)) {
    error = "the replay link's game cannot be stored on this page";
    return error.c_str();
  }
  linkReader.emplace(std::move(script));
  return "";
}

// Reads on for about `budgetMs`: how much is read, from 0 to 1, or 2 once
// all of it is (web_link_read_end then says how it went).
EMSCRIPTEN_KEEPALIVE double web_link_read_step(double budgetMs) {
  if (!linkReader) return 2;
  const double until = emscripten_get_now() + budgetMs;
  constexpr std::size_t kSliceBytes = 32 * 1024;
  while (linkReader->Step(kSliceBytes))
    if (emscripten_get_now() >= until) return linkReader->Progress();
  return 2;
}

// "" when the link holds a game, which the next game started (main or
// web_start) watches; else the one line to show the player.
EMSCRIPTEN_KEEPALIVE const char* web_link_read_end() {
  static std::string error;
  if (!linkReader) return "";
  ReplayLinkResult result = linkReader->Finish();
  linkReader.reset();
  error = result.error;
  if (result.ok) linkToWatch = std::move(result);
  return error.c_str();
}

EMSCRIPTEN_KEEPALIVE void web_link_read_cancel() {
  linkReader.reset();
  linkToWatch.reset();
}

// What the page checks before it reads a link: 0, the most characters a
// link may have; 1, the most bytes its script may unpack to.
EMSCRIPTEN_KEEPALIVE double web_link_limit(int which) {
  return static_cast<double>(which == 0 ? kMaxReplayLinkChars : kMaxReplayScriptBytes);
}

// Why a link the page could not unpack holds no game (LinkRefusal's order).
EMSCRIPTEN_KEEPALIVE const char* web_link_refusal(int why, double chars) {
  static std::string text;
  text = ReplayLinkRefusal(static_cast<LinkRefusal>(why), static_cast<std::size_t>(chars));
  return text.c_str();
}

// The key script of the game being played, from tick 0, as a replay link
// carries it, ending at this tick; "" when the game keeps no record.
EMSCRIPTEN_KEEPALIVE const char* web_share_script() {
  static std::string script;
  script.clear();
  std::string record;
  if (!session || recordFile.empty() || !ReadSessionFile(recordFile, record)) return "";
  const KeyScriptResult keys = ParseKeyScript(record);
  if (keys.ok) script = ReplayScript(keys.presses, keys.startingCredits, session->TicksRun());
  return script.c_str();
}

// Watch mode: speeds, pause, and the skip to the replay's last press, made
// without sound or frames in between.
EMSCRIPTEN_KEEPALIVE int web_replay_running() { return Watching() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE double web_replay_end_tick() { return static_cast<double>(WatchEnd()); }
EMSCRIPTEN_KEEPALIVE int web_replay_speed() { return session ? session->ReplaySpeed() : 1; }
EMSCRIPTEN_KEEPALIVE void web_set_replay_speed(int speed) {
  if (session) session->SetReplaySpeed(speed, &mainHost);
}
// The player's pause, in watch mode as in play: the session's, so that
// ticks and keys stop in one place.
EMSCRIPTEN_KEEPALIVE void web_set_paused(int on) {
  if (!session) return;
  session->SetPaused(GameSession::PauseReason::Player, on != 0);
  // Paused on the tick itself, not on the way to the next.
  if (on && gameRunning) mainHost.Show(session->Frame());
}
EMSCRIPTEN_KEEPALIVE int web_paused() { return session && session->PausedBy(GameSession::PauseReason::Player) ? 1 : 0; }

// The skip to where watching ends, for about `budgetMs` at a time so that
// the page keeps answering: 1 while there is more to skip, 0 once done.
// Nothing on the way is seen or heard: no frame is composed (the game's
// rules never read its pixels) and no cue played, though the trace still
// lists them. The last tick's frame is shown.
EMSCRIPTEN_KEEPALIVE int web_skip_step(double budgetMs) {
  if (!session || !gameRunning) return 0;
  if (!skipping) {
    skipping = true;
    browserSound.StopPlaying();
  }
  const double until = emscripten_get_now() + budgetMs;
  // The clock is read between batches of ticks that take about a
  // millisecond: often enough that a slice ends near its budget on a
  // crowded table, whose ticks are slow, and seldom enough on a sparse one
  // that the drawing listed for each batch's last tick costs little.
  static long long batch = 32;
  do {
    const double start = emscripten_get_now();
    session->RunUntil(WatchEnd(), &mainHost, batch);
    const double took = emscripten_get_now() - start;
    if (took < 0.5) batch = std::min(batch * 2, 4096LL);
    if (took > 2) batch = std::max(batch / 2, 8LL);
  } while (Watching() && emscripten_get_now() < until);
  if (Watching()) return 1;
  skipping = false;
  session->SetPaused(GameSession::PauseReason::Player, false);
  mainHost.PaintIfNeeded();
  return 0;
}

// A skip stopped where it is: watching goes on from there.
EMSCRIPTEN_KEEPALIVE void web_skip_cancel() {
  if (!skipping || !session) return;
  skipping = false;
}

// Something the player should read though the game goes on (a kept game
// that was set aside), or "".
EMSCRIPTEN_KEEPALIVE const char* web_notice() { return session ? session->Notice().c_str() : ""; }
EMSCRIPTEN_KEEPALIVE const char* web_record_file() { return recordFile.c_str(); }
EMSCRIPTEN_KEEPALIVE double web_tick() { return session ? static_cast<double>(session->TicksRun()) : 0; }

EMSCRIPTEN_KEEPALIVE int web_game_running() { return gameRunning ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int web_about_open() { return aboutOpen ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE double web_ticks_run() {
  return session ? static_cast<double>(session->TicksRun() - firstTick) : 0;
}
EMSCRIPTEN_KEEPALIVE double web_frames_shown() { return static_cast<double>(mainHost.FramesShown()); }
EMSCRIPTEN_KEEPALIVE double web_about_frames_shown() { return static_cast<double>(aboutHost.FramesShown()); }
EMSCRIPTEN_KEEPALIVE int web_credits() { return session ? session->Credits() : 0; }
EMSCRIPTEN_KEEPALIVE double web_keys_delivered() { return static_cast<double>(lastKey.delivered); }
EMSCRIPTEN_KEEPALIVE int web_last_key() { return lastKey.virtualKey; }
EMSCRIPTEN_KEEPALIVE int web_last_key_credits_before() { return lastKey.creditsBefore; }
EMSCRIPTEN_KEEPALIVE int web_last_key_credits_after() { return lastKey.creditsAfter; }

}  // extern "C"
