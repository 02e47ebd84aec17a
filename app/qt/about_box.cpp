#include "app/qt/about_box.h"

#include <QLabel>
#include <QtMath>
#include <QPushButton>

#include "app/qt/app_icon.h"
#include "app/session/about_band.h"
#include "app/qt/app_texts.h"
#include "app/qt/canvas_surface.h"
#include "app/qt/dialog_units.h"
#include "shell_facts.h"

namespace {

constexpr int kIconPixels = 32;

// The layout, in dialog units.
QRect Units(const int (&box)[4]) { return QRect(box[0], box[1], box[2], box[3]); }
const QRect kClientUnits(0, 0, shell_fact::kAboutDialog[2], shell_fact::kAboutDialog[3]);
const QPoint kPlaceUnits(shell_fact::kAboutDialog[0], shell_fact::kAboutDialog[1]);
const QRect kIconUnits = Units(shell_fact::kAboutIcon);
const QRect kTextUnits = Units(shell_fact::kAboutTextBox);
const QRect kOkUnits = Units(shell_fact::kAboutOk);

}  // namespace

AboutBox::AboutBox(QWidget* owner, int scale) : QDialog(owner) {
  setWindowTitle(apptext::AboutCaption());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  // Laid out as at scale 1 and magnified as a whole, band included: dialog
  // units follow the font, so a larger font scales the layout, by what the
  // desktop's own scaling leaves to do.
  const qreal ratio = devicePixelRatioF();
  const qreal larger = ControlsScale(scale, ratio);
  if (larger != 1) setFont(ScaledFont(font(), larger));
  const int iconPixels = qRound(kIconPixels * larger);
  const DialogBaseUnits base = BaseUnitsOf(font());
  setFixedSize(DialogUnitsToPixels(kClientUnits, base).size());

  // Created first, so it lies beneath the controls; as a child it is clipped
  // to the client area however small the dialog font makes the box.
  band_ = new CanvasSurface([this] { return bandPicture_.Pixels(); }, this);
  // Its pixels in whole blocks; the widget clips what a fractional desktop
  // scale leaves over.
  band_->setGeometry(0, 0, qCeil(kAboutBandWidth * larger), qCeil(kAboutBandHeight * larger));
  band_->ShowWindowed(qCeil(ratio * larger - 1e-6));
  connect(band_, &CanvasSurface::timerFired, this, [this](int) {
    bandPicture_.TimerExpired();
    band_->RequestRepaint();
  });

  // An icon control takes the icon's own size from its top-left corner.
  icon_ = new QLabel(this);
  icon_->setPixmap(AppIcon().pixmap(iconPixels, iconPixels));
  icon_->setGeometry(QRect(DialogUnitsToPixels(kIconUnits, base).topLeft(), QSize(iconPixels, iconPixels)));

  // Static controls paint their own background, so where the band reaches
  // down behind them they still read on the dialog colour.
  text_ = new QLabel(apptext::AboutText(), this);
  text_->setTextFormat(Qt::PlainText);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text_->setAutoFillBackground(true);
  text_->setGeometry(DialogUnitsToPixels(kTextUnits, base));
  icon_->setAutoFillBackground(true);

  ok_ = new QPushButton(apptext::OkButton(), this);
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  ok_->setGeometry(DialogUnitsToPixels(kOkUnits, base));
  connect(ok_, &QPushButton::clicked, this, [this] { RunCommand(kOk); });
  ok_->setFocus();

  // The band's own 50 ms timer.
  band_->StartTimer(kAboutBandTimerId, kAboutBandPeriodMs);
}

void AboutBox::PlaceOver(QWidget* clientArea, bool centred) {
  if (!clientArea) return;
  if (centred) {
    move(clientArea->mapToGlobal(clientArea->rect().center()) - QPoint(width() / 2, height() / 2));
    return;
  }
  const QRect place = DialogUnitsToPixels(QRect(kPlaceUnits, QSize(0, 0)), BaseUnitsOf(font()));
  move(clientArea->mapToGlobal(QPoint(0, 0)) + place.topLeft());
}

bool AboutBox::RunCommand(int command) {
  if (command != kOk && command != kCancel) return false;
  done(command);
  return true;
}

void AboutBox::accept() { RunCommand(kOk); }
void AboutBox::reject() { RunCommand(kCancel); }
