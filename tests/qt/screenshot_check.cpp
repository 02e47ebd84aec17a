// Looks at a screenshot of the game window as a player would: below the menu
// bar there must be the cabinet, coins lying on it and the white texts on
// the left. Prints what it found and fails on what is missing.
#include <QColor>
#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QImage>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool IsBlack(QRgb pixel) { return (pixel & 0xFFFFFF) == 0; }
bool IsWhiteish(QRgb pixel) { return qRed(pixel) >= 200 && qGreen(pixel) >= 200 && qBlue(pixel) >= 200; }

// The canvas's left margin is black from its first row; the menu bar above
// it is not.
int CanvasTop(const QImage& shot) {
  for (int y = 0; y < std::min(shot.height(), 80); ++y) {
    bool black = true;
    for (int x = 0; x < 4 && black; ++x) black = IsBlack(shot.pixel(x, y));
    if (black && y > 0) return y;
  }
  return -1;
}

// The colours a lying coin shows: those of its image where its mask is
// white (the mask is ORed in first, then the image ANDed), leaving out
// black and white, which any picture may hold.
std::vector<QRgb> CoinColours(const QString& assets) {
  const QImage image(assets + QStringLiteral("/coin2.bmp"));
  const QImage mask(assets + QStringLiteral("/coin2mask.bmp"));
  std::vector<QRgb> colours;
  if (image.isNull() || mask.size() != image.size()) return colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb colour = image.pixel(x, y) | 0xFF000000u;
      if ((mask.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF || IsBlack(colour) || (colour & 0xFFFFFF) == 0xFFFFFF) continue;
      if (std::find(colours.begin(), colours.end(), colour) == colours.end()) colours.push_back(colour);
    }
  }
  return colours;
}

struct Census {
  int total = 0;
  int nonBlack = 0;
  int whiteish = 0;
  int coinColoured = 0;
  int distinct = 0;
};

Census Count(const QImage& shot, QRect area, const std::vector<QRgb>& coinColours) {
  Census census;
  area = area.intersected(shot.rect());
  QHash<QRgb, bool> seen;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb pixel = shot.pixel(x, y) | 0xFF000000u;
      ++census.total;
      census.nonBlack += !IsBlack(pixel);
      census.whiteish += IsWhiteish(pixel);
      census.coinColoured += std::find(coinColours.begin(), coinColours.end(), pixel) != coinColours.end();
      seen.insert(pixel, true);
    }
  }
  census.distinct = static_cast<int>(seen.size());
  return census;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WINDOW_SCREENSHOT ASSETS_DIR\n", argv[0]);
    return 2;
  }
  const QImage shot = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
  if (shot.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const int top = CanvasTop(shot);
  if (top < 0) {
    std::fprintf(stderr, "no canvas below a menu bar: the left edge is never black\n");
    return 1;
  }
  const std::vector<QRgb> coinColours = CoinColours(QString::fromLocal8Bit(argv[2]));
  if (coinColours.empty()) {
    std::fprintf(stderr, "cannot read the coin pictures in %s\n", argv[2]);
    return 1;
  }

  // Canvas places: the cabinet from (101, 20) to (317, 390), the playfield
  // and pusher table inside it, the title at (5, 10), the credits at (5, 50).
  const Census cabinet = Count(shot, QRect(101, top + 20, 216, 370), coinColours);
  const Census playfield = Count(shot, QRect(110, top + 150, 200, 220), coinColours);
  const Census title = Count(shot, QRect(5, top + 10, 90, 16), coinColours);
  const Census credits = Count(shot, QRect(5, top + 50, 90, 18), coinColours);
  std::printf("canvas top %d; cabinet %d/%d lit, %d colours; coin pixels %d; title %d white; credits %d white\n",
              top, cabinet.nonBlack, cabinet.total, cabinet.distinct, playfield.coinColoured, title.whiteish,
              credits.whiteish);

  bool ok = true;
  if (cabinet.nonBlack < cabinet.total * 3 / 4 || cabinet.distinct < 32) {
    std::fprintf(stderr, "the cabinet is missing or flat\n");
    ok = false;
  }
  if (playfield.coinColoured < 3000) {
    std::fprintf(stderr, "too few coins on the playfield\n");
    ok = false;
  }
  if (title.whiteish < 20) {
    std::fprintf(stderr, "no white title text\n");
    ok = false;
  }
  if (credits.whiteish < 20) {
    std::fprintf(stderr, "no white credit text\n");
    ok = false;
  }
  return ok ? 0 : 1;
}
