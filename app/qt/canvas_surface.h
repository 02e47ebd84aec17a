#pragma once
#include <QBasicTimer>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <map>

#include "canvas/canvas.h"
#include "canvas/window_host.h"

class QPainter;

// A widget that lends itself to the core as the window of one Canvas: it
// runs the canvas's timers, repaints on request and copies the canvas 1:1
// to its own top-left corner, never scaled. What lies outside the canvas is
// left to the parent's background.
class CanvasSurface : public QWidget, public WindowHost {
  Q_OBJECT
 public:
  explicit CanvasSurface(Canvas& canvas, QWidget* parent = nullptr);

  void StartTimer(int id, int periodMs) override;
  void RequestRepaint() override;
  void ShowPixels(const std::uint32_t* pixels, int width, int height) override;

  bool TimerRunning(int id) const;

 signals:
  // One expiry of the core's timer `id`.
  void timerFired(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  Canvas& canvas_;
  std::map<int, QBasicTimer> timers_;  // by the core's timer id
  QPainter* painter_ = nullptr;        // only while painting
  QRect paintArea_;
  QImage shown_;  // the painted part of the canvas, reused between paints
};
