#include "app/qt/canvas_surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>

CanvasSurface::CanvasSurface(Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
  setFocusPolicy(Qt::NoFocus);
}

void CanvasSurface::StartTimer(int id, int periodMs) {
  // A precise timer keeps the 200 ms rhythm; Qt never queues missed
  // expiries, so a slow tick delays the next one instead of doubling up.
  timers_[id].start(periodMs, Qt::PreciseTimer, this);
}

bool CanvasSurface::TimerRunning(int id) const {
  const auto found = timers_.find(id);
  return found != timers_.end() && found->second.isActive();
}

void CanvasSurface::RequestRepaint() { update(); }

void CanvasSurface::timerEvent(QTimerEvent* event) {
  for (const auto& [id, timer] : timers_) {
    if (timer.timerId() == event->timerId()) {
      emit timerFired(id);
      return;
    }
  }
  QWidget::timerEvent(event);
}

void CanvasSurface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter_ = &painter;
  paintArea_ = event->rect();
  canvas_.Present(this);
  painter_ = nullptr;
}

void CanvasSurface::ShowPixels(const std::uint32_t* pixels, int width, int height) {
  if (!painter_ || !pixels) return;
  const QRect area = paintArea_.intersected(QRect(0, 0, width, height));
  if (area.isEmpty()) return;
  // The canvas leaves the top byte zero; Qt's 32-bit RGB format expects it
  // full, and some of its paths would read zero as transparent. Only the
  // part being painted is copied.
  if (shown_.size() != area.size()) shown_ = QImage(area.size(), QImage::Format_RGB32);
  for (int row = 0; row < area.height(); ++row) {
    const std::uint32_t* from = pixels + static_cast<std::size_t>(area.y() + row) * width + area.x();
    auto* to = reinterpret_cast<std::uint32_t*>(shown_.scanLine(row));
    for (int column = 0; column < area.width(); ++column) to[column] = from[column] | 0xFF000000u;
  }
  painter_->drawImage(area.topLeft(), shown_);
}
