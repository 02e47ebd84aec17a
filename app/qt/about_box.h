#pragma once
#include <QDialog>

#include "app/session/about_band.h"

class CanvasSurface;
class QLabel;
class QPushButton;

// The version box: icon, product text and OK, under a 500 by 100 band of
// its own canvas that is cleared and repainted every 50 ms while it is open.
class AboutBox : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kOk = 1;      // the OK button or Enter
  static constexpr int kCancel = 2;  // Escape or the close box

  // At the game's `scale`, the box is its scale-1 layout, font, icon and
  // band, `scale` times larger on the screen.
  explicit AboutBox(QWidget* owner, int scale = 1);

  // Puts the box at its place relative to the owner's client area, or in
  // its middle (on a full screen, where the corner is far from the game).
  void PlaceOver(QWidget* clientArea, bool centred = false);

  // A command from one of the box's controls: OK and Cancel end the box with
  // their own number; any other command is not the box's and leaves it open.
  bool RunCommand(int command);

  void accept() override;
  void reject() override;

  CanvasSurface* Band() const { return band_; }
  PixelView BandPixels() const { return bandPicture_.Pixels(); }
  QLabel* IconLabel() const { return icon_; }
  QLabel* TextLabel() const { return text_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  AboutBandPicture bandPicture_;  // made anew at each opening
  CanvasSurface* band_;
  QLabel* icon_;
  QLabel* text_;
  QPushButton* ok_;
};
