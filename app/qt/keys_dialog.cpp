#include "app/qt/keys_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/qt/app_texts.h"
#include "app/session/shell_commands.h"

void ShowKeysDialog(QWidget* owner, Language language) {
  QDialog dialog(owner);
  dialog.setWindowTitle(apptext::Text(shell_fact::kKeysCaptionWords, language));
  auto* layout = new QVBoxLayout(&dialog);

  const std::vector<KeyHelp> keys = KeysHelp(language);
  auto* table = new QTableWidget(static_cast<int>(keys.size()), 2);
  table->horizontalHeader()->hide();
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setShowGrid(false);
  table->setFocusPolicy(Qt::NoFocus);
  for (int row = 0; row < table->rowCount(); ++row) {
    table->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(keys[row].keys)));
    table->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(keys[row].does)));
  }
  table->resizeColumnsToContents();
  table->resizeRowsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  // The whole table in view, without scroll bars.
  const int frame = 2 * table->frameWidth();
  table->setMinimumSize(table->horizontalHeader()->length() + frame + 16, table->verticalHeader()->length() + frame);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  layout->addWidget(table);

  auto* buttons = new QDialogButtonBox;
  buttons->addButton(apptext::OkButton(), QDialogButtonBox::AcceptRole)->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.exec();
}
