#include "tools/artgen/asset_writer.h"

#include <filesystem>

#include "tools/artgen/artwork.h"
#include "tools/artgen/sprite_files.h"
#include "tools/artgen/icon_file.h"
#include "tools/artgen/sound_synth.h"
#include "tools/artgen/wav_file.h"
#include "formats/png_writer.h"

namespace artgen {

namespace {

// Sixteen colours for the small icons, chosen for a gold coin.
const Palette16 kIconPalette = {
    {0, 0, 0},       {96, 60, 8},     {136, 92, 18},   {176, 122, 28},  {210, 156, 40}, {232, 180, 40},
    {244, 206, 96},  {255, 236, 150}, {255, 250, 220}, {255, 255, 255}, {52, 28, 96},   {84, 52, 140},
    {128, 128, 128}, {192, 192, 192}, {200, 40, 40},   {40, 96, 190},
};

class Writer {
 public:
  explicit Writer(std::string directory) : directory_(std::move(directory)) {}

  void Put(const char* name, const Bytes& bytes) {
    const std::string path = (std::filesystem::path(directory_) / name).string();
    if (!WriteFileBytes(path, bytes)) {
      result_.ok = false;
      result_.failed.push_back(path);
    }
  }

  void Png(const std::string& name, const RgbaImage& image) {
    static_assert(sizeof(Rgba) == 4, "RGBA pixels are written as four bytes each");
    const std::string path = (std::filesystem::path(directory_) / name).string();
    std::string error;
    if (!WritePngRgba(path, reinterpret_cast<const std::uint8_t*>(image.pixels.data()), image.width, image.height,
                      error)) {
      result_.ok = false;
      result_.failed.push_back(path);
    }
  }

  void Sprite(const char* image, const char* mask, const Picture& picture) {
    Put(image, EncodeSpriteImage(picture));
    Put(mask, EncodeSpriteMask(picture));
  }

  WriteResult Result() const { return result_; }

 private:
  std::string directory_;
  WriteResult result_;
};

}  // namespace

WriteResult WriteAllAssets(const std::string& directory) {
  std::error_code ec;
  std::filesystem::create_directories(directory, ec);
  Writer w(directory);

  w.Put("back.bmp", EncodeOpaqueImage(DrawBackWall()));
  w.Sprite("base.bmp", "basemask.bmp", DrawCabinetBase());
  w.Sprite("bar.bmp", "barmask.bmp", DrawPusherTable());
  w.Put("top.bmp", EncodeOpaqueImage(DrawUpperCabinet()));
  w.Sprite("move.bmp", "movemask.bmp", DrawGate());
  w.Sprite("coin.bmp", "coinmask.bmp", DrawFallingCoin());
  w.Sprite("coin2.bmp", "coin2mask.bmp", DrawLyingCoin());
  w.Sprite("magic.bmp", "magicmask.bmp", DrawMagicFigure());
  w.Sprite("clean.bmp", "cleanmask.bmp", DrawSweeper(0));
  w.Sprite("clean2.bmp", "clean2mask.bmp", DrawSweeper(1));
  w.Sprite("bonus.bmp", "bonusmask.bmp", DrawBonusMarker());

  w.Put("coin.wav", EncodeWave(CoinPayoutSound()));
  w.Put("coin2.wav", EncodeWave(BonusPayoutSound()));
  w.Put("in.wav", EncodeWave(GateCaptureSound()));
  w.Put("s.wav", EncodeWave(LotteryTickSound()));
  w.Put("stop.wav", EncodeWave(LotteryStopSound()));
  w.Put("magic.wav", EncodeWave(MagicSound()));
  w.Put("cl.wav", EncodeWave(SweeperSound()));

  w.Put("marobel.ico", EncodeIcon({DrawAppIcon(32), DrawAppIcon(16)}, kIconPalette));
  w.Put("marobel-small.ico", EncodeIcon({DrawAppIcon(16)}, kIconPalette));
  w.Png("marobel.png", DrawAppIcon(128));
  // The desktop's icon theme wants each size drawn for itself.
  for (int size : kThemeIconSizes) w.Png("marobel-" + std::to_string(size) + ".png", DrawAppIcon(size));
  for (int size : kWebAppIconSizes) w.Png("marobel-" + std::to_string(size) + ".png", DrawAppIcon(size));
  return w.Result();
}

}  // namespace artgen
