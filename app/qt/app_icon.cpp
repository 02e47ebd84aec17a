#include "app/qt/app_icon.h"

QIcon AppIcon() {
  QIcon icon;
  // The small sizes are drawn for their size; the large picture serves
  // launchers and task switchers.
  icon.addFile(QStringLiteral(":/marobel/marobel.ico"));
  icon.addFile(QStringLiteral(":/marobel/marobel-small.ico"));
  icon.addFile(QStringLiteral(":/marobel/marobel.png"));
  return icon;
}
