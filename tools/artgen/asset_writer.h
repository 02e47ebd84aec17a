#pragma once
// Writes every picture, sound and icon of the game into one folder.
#include <string>
#include <vector>

namespace artgen {

struct WriteResult {
  bool ok = true;
  std::vector<std::string> failed;  // paths that could not be written
};

// The sizes of the application icon drawn for desktop icon themes, written
// as marobel-SIZE.png (the build's install rules list the same sizes).
inline constexpr int kThemeIconSizes[] = {16, 32, 48, 64, 128, 256};

// The sizes a phone's home screen and an installed web app's splash screen
// ask a web app manifest for, written as marobel-SIZE.png (the browser
// build's manifest names the same files).
inline constexpr int kWebAppIconSizes[] = {192, 512};
// The home screen's icon that a launcher crops to its own shape, written as
// marobel-maskable-SIZE.png.
inline constexpr int kWebAppMaskableIconSize = 512;

// The images of the Windows icons: marobel.ico, the program's and the
// installer's, at the sizes Windows shows at 100 to 200 per cent display
// scale and the 256 pixels of large views; marobel-small.ico, the window's
// caption icon, at 100 and 150 per cent.
inline constexpr int kWindowsIconSizes[] = {16, 24, 32, 48, 256};
inline constexpr int kWindowsSmallIconSizes[] = {16, 24};

WriteResult WriteAllAssets(const std::string& directory);

}  // namespace artgen
