#include "app/qt/out_of_credits_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/qt/app_texts.h"

OutOfCreditsBar::OutOfCreditsBar(QWidget* parent)
    : QFrame(parent), text_(new QLabel), newGame_(new QPushButton), freePlay_(new QPushButton) {
  setFrameShape(QFrame::StyledPanel);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 2, 6, 2);
  text_->setWordWrap(true);
  layout->addWidget(text_, 1);
  // The keys stay the window's: a click here must not take them away from
  // the game.
  for (QPushButton* button : {newGame_, freePlay_}) {
    button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(button);
  }
  connect(newGame_, &QPushButton::clicked, this, &OutOfCreditsBar::newGameChosen);
  connect(freePlay_, &QPushButton::clicked, this, &OutOfCreditsBar::freePlayChosen);
}

void OutOfCreditsBar::SpeakIn(Language language) {
  text_->setText(apptext::Text(shell_fact::kOutOfCreditsNoticeWords, language));
  newGame_->setText(apptext::Plain(shell_fact::kNewGameItemWords, language));
  freePlay_->setText(apptext::Plain(shell_fact::kFreePlayItemWords, language) + QStringLiteral("..."));
}
