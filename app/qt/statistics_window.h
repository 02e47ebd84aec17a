#pragma once
#include <QDialog>
#include <QTimer>
#include <functional>

#include "app/session/game_host.h"

class QLabel;

// The statistics as a picture, beside the game: it stays open while the
// game goes on and shows the account anew every second.
class StatisticsWindow : public QDialog {
  Q_OBJECT
 public:
  using PictureSource = std::function<PixelView()>;
  StatisticsWindow(QWidget* owner, PictureSource source);

  void ShowPicture();

 private:
  PictureSource source_;
  QLabel* picture_;
  QTimer refresh_;
};
