#pragma once
#include <QFrame>

#include "app/session/shell_language.h"

class QLabel;
class QPushButton;

// The quiet notice below the game when the credits have run out, with the
// two ways to go on. It never covers the game's pixels.
class OutOfCreditsBar : public QFrame {
  Q_OBJECT
 public:
  explicit OutOfCreditsBar(QWidget* parent = nullptr);
  void SpeakIn(Language language);

  QPushButton* NewGameButton() const { return newGame_; }
  QPushButton* FreePlayButton() const { return freePlay_; }

 signals:
  void newGameChosen();
  void freePlayChosen();

 private:
  QLabel* text_;
  QPushButton* newGame_;
  QPushButton* freePlay_;
};
