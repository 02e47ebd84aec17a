#include "tools/artgen/asset_writer.h"

#include <filesystem>
#include <span>
#include <string_view>

#include "render/asset_names.h"

#include "tools/artgen/artwork.h"
#include "tools/artgen/sprite_files.h"
#include "tools/artgen/icon_file.h"
#include "tools/artgen/sound_synth.h"
#include "tools/artgen/wav_file.h"
#include "formats/png_writer.h"

namespace artgen {

namespace {

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

  // A picture of the game's table: a sprite with its mask, or, where the
  // table names the picture as its own mask, drawn opaque.
  void Sprite(const asset::PictureFacts& facts, const Picture& picture) {
    if (std::string_view(facts.image) == facts.mask) {
      Put(facts.image, EncodeOpaqueImage(picture));
      return;
    }
    Put(facts.image, EncodeSpriteImage(picture));
    Put(facts.mask, EncodeSpriteMask(picture));
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

  w.Sprite(asset::kBackWallPicture, DrawBackWall());
  w.Sprite(asset::kBasePicture, DrawCabinetBase());
  w.Sprite(asset::kPusherTablePicture, DrawPusherTable());
  w.Sprite(asset::kUpperCabinetPicture, DrawUpperCabinet());
  w.Sprite(asset::kGatePicture, DrawGate());
  w.Sprite(asset::kFallingCoinPicture, DrawFallingCoin());
  w.Sprite(asset::kLyingCoinPicture, DrawLyingCoin());
  w.Sprite(asset::kMagicPicture, DrawMagicFigure());
  w.Sprite(asset::kSweeperPicture, DrawSweeper(0));
  w.Sprite(asset::kSweeper2Picture, DrawSweeper(1));
  w.Sprite(asset::kBonusMarkerPicture, DrawBonusMarker());

  w.Put(asset::kPayoutSound, EncodeWave(CoinPayoutSound()));
  w.Put(asset::kBonusPayoutSound, EncodeWave(BonusPayoutSound()));
  w.Put(asset::kCaptureSound, EncodeWave(GateCaptureSound()));
  w.Put(asset::kLotteryTickSound, EncodeWave(LotteryTickSound()));
  w.Put(asset::kLotteryStopSound, EncodeWave(LotteryStopSound()));
  w.Put(asset::kMagicSound, EncodeWave(MagicSound()));
  w.Put(asset::kSweeperSound, EncodeWave(SweeperSound()));

  auto drawn = [](std::span<const int> sizes) {
    std::vector<RgbaImage> images;
    for (int size : sizes) images.push_back(DrawAppIcon(size));
    return images;
  };
  w.Put("marobel.ico", EncodeIcon(drawn(kWindowsIconSizes)));
  w.Put("marobel-small.ico", EncodeIcon(drawn(kWindowsSmallIconSizes)));
  w.Png("marobel.png", DrawAppIcon(128));
  // The desktop's icon theme wants each size drawn for itself.
  for (int size : kThemeIconSizes) w.Png("marobel-" + std::to_string(size) + ".png", DrawAppIcon(size));
  for (int size : kWebAppIconSizes) w.Png("marobel-" + std::to_string(size) + ".png", DrawAppIcon(size));
  w.Png("marobel-maskable-" + std::to_string(kWebAppMaskableIconSize) + ".png",
        DrawMaskableAppIcon(kWebAppMaskableIconSize));
  return w.Result();
}

}  // namespace artgen
