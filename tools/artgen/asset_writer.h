#pragma once
// Writes every picture, sound and icon of the game into one folder.
#include <string>
#include <vector>

namespace artgen {

struct WriteResult {
  bool ok = true;
  std::vector<std::string> failed;  // paths that could not be written
};

WriteResult WriteAllAssets(const std::string& directory);

}  // namespace artgen
