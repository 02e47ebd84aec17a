#include "app/qt/canvas_surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QTimerEvent>
#include <utility>

CanvasSurface::CanvasSurface(PixelSource source, QWidget* parent) : QWidget(parent), source_(std::move(source)) {
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

void CanvasSurface::ShowWindowed(int scale) {
  scale_ = scale;
  onScreen_ = false;
  update();
}

void CanvasSurface::ShowOnScreen() {
  onScreen_ = true;
  update();
}

void CanvasSurface::ShowBanner(const QString& text) {
  if (banner_ == text) return;
  banner_ = text;
  update();
}

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
  // From here on, one unit is one device pixel.
  const qreal ratio = devicePixelRatioF();
  painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
  const QRectF logical = event->rect();
  paintArea_ = QRectF(logical.topLeft() * ratio, logical.size() * ratio).toAlignedRect();
  if (onScreen_) {
    const QSize device = (QSizeF(size()) * ratio).toSize();
    const ScreenPlacement p = FitFullscreen({device.width(), device.height()});
    scale_ = p.scale;
    gameArea_ = {p.left, p.top, p.width, p.height};
    const QRect game(p.left, p.top, p.width, p.height);
    const QRegion around = QRegion(paintArea_).subtracted(game);
    for (const QRect& r : around) painter.fillRect(r, Qt::black);
    paintArea_ = paintArea_.intersected(game);
  }
  painter_ = &painter;
  const PixelView view = source_();
  ShowPixels(view);
  painter_ = nullptr;
  if (!banner_.isEmpty()) {
    const QSize device = (QSizeF(size()) * ratio).toSize();
    const QRect shown = onScreen_ ? QRect(gameArea_.left, gameArea_.top, gameArea_.width, gameArea_.height)
                                  : QRect(0, 0, view.width * scale_, view.height * scale_);
    DrawBanner(painter, shown.intersected(QRect(QPoint(0, 0), device)));
  }
}

void CanvasSurface::DrawBanner(QPainter& painter, const QRect& gameArea) {
  // Laid out over the whole game area whatever part is being painted, so
  // that every part of the text lands where a whole paint puts it.
  painter.fillRect(gameArea, QColor(0, 0, 0, 144));
  QFont font = painter.font();
  font.setPixelSize(28 * scale_);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(gameArea, Qt::AlignCenter, banner_);
}

void CanvasSurface::ShowPixels(const PixelView& view) {
  const std::uint32_t* pixels = view.pixels;
  const int width = view.width, height = view.height;
  if (!painter_ || !pixels || paintArea_.isEmpty()) return;
  const int originX = onScreen_ ? gameArea_.left : 0;
  const int originY = onScreen_ ? gameArea_.top : 0;
  // Only the part being painted is copied.
  if (shown_.size() != paintArea_.size()) shown_ = QImage(paintArea_.size(), QImage::Format_RGB32);
  const PixelRect target{paintArea_.x(), paintArea_.y(), paintArea_.width(), paintArea_.height()};
  auto* bits = reinterpret_cast<std::uint32_t*>(shown_.bits());
  const PixelRect drawn = UpscaleNearest(pixels, width, height, scale_, originX, originY, target, bits);
  if (drawn.width <= 0) return;
  // The canvas leaves the top byte zero; Qt's 32-bit RGB format expects it
  // full, and some of its paths would read zero as transparent.
  const std::size_t words = static_cast<std::size_t>(drawn.width) * drawn.height;
  for (std::size_t i = 0; i < words; ++i) bits[i] |= 0xFF000000u;
  const QImage part(shown_.bits(), drawn.width, drawn.height, drawn.width * 4, QImage::Format_RGB32);
  painter_->drawImage(QPoint(drawn.left, drawn.top), part);
}
