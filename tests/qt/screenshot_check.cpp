// Looks at a screenshot of the game window as a player would: below the menu
// bar there must be the cabinet, coins lying on it and the white texts on
// the left. Prints what it found and fails on what is missing.
#include <QCoreApplication>
#include <QImage>
#include <QSet>
#include <algorithm>
#include <cstdio>

namespace {

bool IsBlack(QRgb pixel) { return (pixel & 0xFFFFFF) == 0; }
bool IsWhiteish(QRgb pixel) { return qRed(pixel) >= 200 && qGreen(pixel) >= 200 && qBlue(pixel) >= 200; }

// The canvas's left margin is black from its first row; the menu bar above
// it is not.
int CanvasTop(const QImage& shot) {
  for (int y = 1; y < std::min(shot.height(), 80); ++y) {
    bool black = true;
    for (int x = 0; x < 4; ++x) black = black && IsBlack(shot.pixel(x, y));
    if (black) return y;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WINDOW_SCREENSHOT ASSETS_DIR\n", argv[0]);
    return 2;
  }
  const QImage shot = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
  const QString assets = QString::fromLocal8Bit(argv[2]);
  const QImage coin(assets + QStringLiteral("/coin2.bmp"));
  const QImage coinMask(assets + QStringLiteral("/coin2mask.bmp"));
  const int top = shot.isNull() ? -1 : CanvasTop(shot);
  if (top < 0 || coin.isNull() || coinMask.size() != coin.size()) {
    std::fprintf(stderr, "no canvas below a menu bar in %s, or no coin pictures in %s\n", argv[1], argv[2]);
    return 1;
  }

  // The colours a lying coin shows: those of its image where its mask is
  // white (the mask is ORed in first, then the image ANDed), leaving out
  // black and white, which any picture may hold.
  QSet<QRgb> coinColours;
  for (int y = 0; y < coin.height(); ++y) {
    for (int x = 0; x < coin.width(); ++x) {
      const QRgb colour = coin.pixel(x, y) | 0xFF000000u;
      if ((coinMask.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF && !IsBlack(colour) && colour != 0xFFFFFFFFu)
        coinColours.insert(colour);
    }
  }

  // How many pixels of a canvas area pass `test`.
  const auto count = [&](QRect area, const auto& test) {
    area = area.translated(0, top).intersected(shot.rect());
    int passed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) passed += test(shot.pixel(x, y) | 0xFF000000u);
    return passed;
  };
  // Canvas places: the cabinet from (101, 20) to (317, 390), the playfield
  // and pusher table inside it, the title at (5, 10), the credits at (5, 50).
  const QRect cabinetArea(101, 20, 216, 370);
  QSet<QRgb> cabinetColours;
  const int cabinetTotal = count(cabinetArea, [](QRgb) { return true; });
  const int cabinetLit = count(cabinetArea, [&](QRgb pixel) { return !IsBlack(*cabinetColours.insert(pixel)); });
  const int coinPixels = count(QRect(110, 150, 200, 220), [&](QRgb pixel) { return coinColours.contains(pixel); });
  const int titleWhite = count(QRect(5, 10, 90, 16), IsWhiteish);
  const int creditsWhite = count(QRect(5, 50, 90, 18), IsWhiteish);
  std::printf("canvas top %d; cabinet %d/%d lit, %d colours; coin pixels %d; title %d white; credits %d white\n", top,
              cabinetLit, cabinetTotal, int(cabinetColours.size()), coinPixels, titleWhite, creditsWhite);

  bool ok = true;
  const auto require = [&ok](bool met, const char* missing) {
    if (!met) std::fprintf(stderr, "%s\n", missing);
    ok = ok && met;
  };
  require(cabinetLit >= cabinetTotal * 3 / 4 && cabinetColours.size() >= 32, "the cabinet is missing or flat");
  require(coinPixels >= 3000, "too few coins on the playfield");
  require(titleWhite >= 20, "no white title text");
  require(creditsWhite >= 20, "no white credit text");
  return ok ? 0 : 1;
}
