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

WriteResult WriteAllAssets(const std::string& directory);

}  // namespace artgen
