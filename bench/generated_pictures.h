#pragma once
#include <benchmark/benchmark.h>

#include "cabinet/cabinet.h"

// The composer reads the pictures the build generated; without them the
// benchmark is skipped and false returned.
inline bool UseGeneratedPictures([[maybe_unused]] benchmark::State& st, cabinet::FrameComposer& composer) {
#ifdef MAROBEL_ASSETS_DIR
  composer.SetPictureFolder(MAROBEL_ASSETS_DIR);
  return true;
#else
  st.SkipWithError("built without the generated pictures (tools/artgen)");
  return false;
#endif
}
