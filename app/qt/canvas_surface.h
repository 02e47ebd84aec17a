#pragma once
#include <QBasicTimer>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>

#include "app/session/game_host.h"
#include "app/session/window_scale.h"

class QPainter;

// A widget that lends itself to the game session as its window: it runs
// the session's timers, repaints on request and copies the pictures of its
// source to its own top-left corner, each canvas pixel as a block of whole device
// pixels (Qt's own scaling for the display is bypassed: it would blur
// them). What lies outside the canvas is left to the parent's background;
// on a full screen only the game area shows, centred, in black.
class CanvasSurface : public QWidget, public GameHost {
  Q_OBJECT
 public:
  using PixelSource = std::function<PixelView()>;
  explicit CanvasSurface(PixelSource source, QWidget* parent = nullptr);

  void StartTimer(int id, int periodMs) override;
  void RequestRepaint() override;

  bool TimerRunning(int id) const;

  // Each canvas pixel as a `scale` by `scale` block of device pixels.
  void ShowWindowed(int scale);
  // The game area at the largest whole scale the widget's size allows.
  void ShowOnScreen();
  int Scale() const { return scale_; }

  // A word over the game, the picture dimmed beneath it (a pause); empty:
  // the picture as it is.
  void ShowBanner(const QString& text);
  const QString& Banner() const { return banner_; }

 signals:
  // One expiry of the core's timer `id`.
  void timerFired(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void ShowPixels(const PixelView& view);
  void DrawBanner(QPainter& painter, const QRect& gameArea);

  PixelSource source_;
  std::map<int, QBasicTimer> timers_;  // by the core's timer id
  QPainter* painter_ = nullptr;        // only while painting
  QRect paintArea_;                    // in device pixels
  PixelRect gameArea_;                 // on a full screen: where the game shows
  QImage shown_;                       // the painted part of the canvas, reused between paints
  QString banner_;
  int scale_ = 1;
  bool onScreen_ = false;
};
