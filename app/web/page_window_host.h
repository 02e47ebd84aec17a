#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/session/game_host.h"

// A <canvas> element of the page standing in for a window's client area.
// Its timer is the browser's interval timer: every expiry runs the handler
// once and is never caught up, and a repaint asked for during the handler
// shows the picture of `source` right after it, as the paint message
// follows a timer message on the desktop.
class PageWindowHost : public GameHost {
 public:
  using PixelSource = std::function<PixelView()>;
  // `elementId` names the page's <canvas>, which shows the top-left
  // clientWidth by clientHeight pixels of what is shown.
  PageWindowHost(std::string elementId, int clientWidth, int clientHeight, PixelSource source);

  void SetTimerHandler(std::function<void()> handler) { handler_ = std::move(handler); }
  void StopTimer();
  bool TimerRunning() const { return interval_ != 0; }
  // Set after the timer has been stopped: a handler that is already
  // queued must not run the game any more.
  bool Stopped() const { return stopped_; }

  // Shows the source's picture now if a repaint has been asked for since
  // the last one.
  void PaintIfNeeded();

  void StartTimer(int id, int periodMs) override;
  void RequestRepaint() override { repaintNeeded_ = true; }
  void Show(PixelView picture);

  long long FramesShown() const { return framesShown_; }

 private:
  static void OnInterval(void* self);

  std::string elementId_;
  int clientWidth_;
  int clientHeight_;
  PixelSource source_;
  std::function<void()> handler_;
  long interval_ = 0;
  bool stopped_ = false;
  bool repaintNeeded_ = false;
  long long framesShown_ = 0;
  std::vector<std::uint32_t> rgba_;  // the client area in the page's byte order
  std::uint64_t shownNumber_ = 0;    // the source's number of the picture in rgba_
};
