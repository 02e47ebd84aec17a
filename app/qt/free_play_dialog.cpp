#include "app/qt/free_play_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/qt/app_texts.h"

namespace {
constexpr int kMostCredits = 1000000;
}

std::optional<long long> AskFreePlayCredits(QWidget* owner, Language language) {
  QDialog dialog(owner);
  dialog.setWindowTitle(apptext::Plain(shell_fact::kFreePlayItemWords, language));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(apptext::Text(shell_fact::kFreePlayQuestionWords, language)));

  // The spin box holds the answer; a choice only fills it in, so that a
  // typed number needs no choice of its own.
  auto* credits = new QSpinBox;
  credits->setRange(1, kMostCredits);
  credits->setValue(static_cast<int>(shell_fact::kFreePlayCredits[1]));
  for (const long long amount : shell_fact::kFreePlayCredits) {
    auto* choice = new QRadioButton(QString::number(amount));
    choice->setChecked(amount == credits->value());
    QObject::connect(choice, &QRadioButton::toggled, credits, [credits, amount](bool on) {
      if (on) credits->setValue(static_cast<int>(amount));
    });
    layout->addWidget(choice);
  }
  layout->addWidget(credits);

  auto* buttons = new QDialogButtonBox;
  buttons->addButton(apptext::OkButton(), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(apptext::Text(shell_fact::kCancelButtonWords, language), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return credits->value();
}
