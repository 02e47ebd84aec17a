#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/session/kept_game.h"
#include "app/session/key_script.h"
#include "app/session/line_file.h"
#include "app/session/session_summary.h"
#include "app/session/shell_options.h"
#include "app/session/trace.h"
#include "canvas/window_host.h"
#include "render/sound_cue.h"

// The game as a desktop window plays it, between the window and the core:
// the creation reset, every tick, every key-down. It also keeps the records
// a player may ask for: the key presses as a key script (--record), a key
// script played into the game (--replay) and the session's trace (--trace),
// all in the headless runner's formats and with its tick numbering, so that
// the runner given the recorded script computes the very same trace.
//
// A shell makes one, opens it before the window exists, routes its sound
// output through it, and then calls Reset, Tick and PlayerKeyDown from the
// window's creation, timer and key-down handlers.
class WindowSession {
 public:
  WindowSession() = default;
  WindowSession(const WindowSession&) = delete;
  WindowSession& operator=(const WindowSession&) = delete;
  ~WindowSession();

  // Reads the script to replay and creates the record and trace files.
  // On failure nothing is kept open and `error` is one line naming the file
  // (and for a bad script its line and what is wrong there).
  bool Open(const ShellOptions& options, std::string& error);

  // The game's sounds go to `output` (null: silence); with a trace they are
  // also listed, tick by tick.
  void RouteSounds(SoundOutput* output);

  // The window's creation: the creation reset, then the trace's tick-0 line.
  void Reset(WindowHost* window);

  // One timer expiry: the replayed presses that come before this tick, the
  // tick itself, then its trace line.
  void Tick(WindowHost* window);

  // A key-down from the keyboard. Dropped while a replay still has presses
  // to play, so the script alone steers the game until its last press.
  void PlayerKeyDown(int virtualKey);

  bool ReplayRunning() const { return nextReplayed_ < replay_.size(); }
  // The tick of the replay's last press: where watching ends. 0 without one.
  long long ReplayEndTick() const { return replay_.empty() ? 0 : replay_.back().tick; }
  // Watching faster or slower while the replay runs: 1, 4, 16, or 0 for as
  // fast as it goes. The tick timer follows at once.
  void SetReplaySpeed(int speed, WindowHost* window);
  int ReplaySpeed() const { return replaySpeed_; }
  // Something the player should read, though the game goes on: a kept game
  // that could not be continued and was set aside. Empty when all is well.
  const std::string& Notice() const { return notice_; }
  long long TicksRun() const { return ticksRun_; }

  // The account of the session so far (--summary prints it when the game
  // exits); empty before the creation reset.
  std::string SummaryText() const { return summary_ ? summary_->Text() : std::string(); }

  // A kept game (--continue) is written as it stands, snapshot and all, so
  // that nothing is lost if the program goes now: for a page that may be
  // closed at any moment. True when there is nothing to keep.
  bool KeepNow();

  // Ends the records. False when one could not be written completely, with
  // one line per such file in `error`.
  bool Close(std::string& error);

 private:
  // Lists each sound for the trace and passes it on to be heard.
  class SoundTee : public SoundOutput {
   public:
    void Play(const char* waveFile) override;
    SoundOutput* output = nullptr;
    SoundLog log;
  };

  void Deliver(int virtualKey);
  bool OpenKeptGame(const ShellOptions& options, std::string& error);
  void KeepTick();
  void WriteTraceLine();

  std::vector<KeyPress> replay_;
  std::size_t nextReplayed_ = 0;
  LineFile record_;
  LineFile trace_;
  SoundTee sounds_;
  bool soundsRouted_ = false;
  long long ticksRun_ = 0;
  std::string traceLine_;
  std::optional<SessionSummary> summary_;     // counts from the creation reset on
  std::optional<long long> startingCredits_;  // free play
  std::string keptFolder_;                    // --continue: where the game is kept; empty otherwise
  KeptGame kept_;
  int replaySpeed_ = 1;  // 0: as fast as it goes
  long long lastMarkedTick_ = -1;
  PressDigest presses_;  // every press the kept game has taken
  long long pressesAtTickEnd_ = 0;
  bool reset_ = false;
  std::string notice_;
};
