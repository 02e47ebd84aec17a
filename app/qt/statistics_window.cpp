#include "app/qt/statistics_window.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>
#include <cstdint>
#include <utility>

StatisticsWindow::StatisticsWindow(QWidget* owner, PictureSource source)
    : QDialog(owner), source_(std::move(source)), picture_(new QLabel) {
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picture_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(&refresh_, &QTimer::timeout, this, &StatisticsWindow::ShowPicture);
  refresh_.start(1000);
  ShowPicture();
}

void StatisticsWindow::ShowPicture() {
  const PixelView view = source_();
  if (!view.pixels || view.width <= 0 || view.height <= 0) return;
  // The picture leaves the top byte zero, which Qt's RGB32 wants full.
  QImage image(view.width, view.height, QImage::Format_RGB32);
  for (int y = 0; y < view.height; ++y) {
    const std::uint32_t* from = view.pixels + static_cast<std::size_t>(y) * view.width;
    auto* to = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < view.width; ++x) to[x] = from[x] | 0xFF000000u;
  }
  picture_->setPixmap(QPixmap::fromImage(std::move(image)));
}
