#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// Writes each seed as FOLDER/seed-N, N from 1. Returns the process status
// for the seed writer's main: 0, or 1 after naming the file it could not
// write on stderr, prefixed by `program`.
inline int WriteSeedFiles(const std::filesystem::path& folder, const std::vector<std::string>& seeds,
                          const char* program) {
  std::filesystem::create_directories(folder);
  int n = 0;
  for (const std::string& bytes : seeds) {
    const std::string name = (folder / ("seed-" + std::to_string(++n))).string();
    std::FILE* f = std::fopen(name.c_str(), "wb");
    const bool written = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (!f || std::fclose(f) != 0 || !written) {
      std::fprintf(stderr, "%s: cannot write %s\n", program, name.c_str());
      return 1;
    }
  }
  return 0;
}
