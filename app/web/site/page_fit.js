// How large the game area may be shown: the largest whole number of device
// pixels per game pixel that fits the room there is, so every game pixel is
// a solid block on the screen and the page never scrolls sideways.
"use strict";

window.MarobelFit = (() => {
  // room: CSS pixels available for the game area; ratio: device pixels per
  // CSS pixel. Returns device pixels per game pixel, at least 1.
  function deviceScale(room, area, ratio) {
    const fits = Math.floor(Math.min(room.width * ratio / area.width, room.height * ratio / area.height) + 1e-6);
    return Math.max(1, fits);
  }

  // The CSS size that shows `area` at `scale` device pixels per game pixel.
  function cssSize(area, scale, ratio) {
    return { width: area.width * scale / ratio, height: area.height * scale / ratio };
  }

  return { deviceScale, cssSize };
})();
