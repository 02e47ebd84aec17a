#pragma once

// The Japanese gothic face the game's text is drawn in. The first of the
// gothic faces Windows itself ships that this system has; where none is
// installed, the free gothic font shipped beside the executable, loaded for
// this process alone (the system's font list is left as it was).
// Null when neither can be had; GDI then falls back to any face it likes.
const wchar_t* GothicFaceName();

// File name of the shipped font, looked for in the executable's folder.
inline constexpr wchar_t kShippedGothicFile[] = L"ipag.ttf";
