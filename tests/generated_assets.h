#pragma once
#include <string>

#include <gtest/gtest.h>

// Where the build's art generator wrote the pictures, sounds and icons;
// empty when the generator is not part of this build.
#ifdef MAROBEL_ASSETS_DIR
inline const std::string kAssets = MAROBEL_ASSETS_DIR;
#else
inline const std::string kAssets;
#endif

#define REQUIRE_ASSETS() \
  if (kAssets.empty()) GTEST_SKIP() << "the art generator is not part of this build"
