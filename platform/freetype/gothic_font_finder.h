#pragma once
#include <string>

// The font file of the game's text face, found through fontconfig: the
// Windows gothic face where it is installed, else the best Japanese gothic
// face there is (fixed-pitch ones first, as the original face is one).
struct FontFileRef {
  std::string path;
  int faceIndex = 0;
};

// False when no installed face covers Japanese text.
bool FindGothicFontFile(FontFileRef& font);
