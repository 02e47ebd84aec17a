// Text for the browser build: the page's own 2D canvas draws the glyphs,
// white on a transparent scratch canvas, and their alpha is read back as
// coverage for the core to blend in the text colour over what lies beneath.
//
// Size: a positive height is the character cell height, as the Windows font
// mapper takes it: the face's ascent plus descent, as the browser reports
// them, is scaled to that many pixels and the baseline lies the scaled
// ascent below the top of the text. No font is shipped with the page: the
// gothic faces named below are tried in order, the player's own first.
#include <emscripten/emscripten.h>

#include <algorithm>

#include "canvas/shift_jis.h"
#include "canvas/text_rasterizer.h"

namespace {
// Limits that keep an absurd height from asking the browser for a huge canvas.
constexpr int kMaxTextHeight = 2048;
}  // namespace

// Lays the text out and draws it on the scratch canvas; writes width and
// height to box[0..1] and returns 1 when any glyph pixel was drawn. The
// last few results are kept, as the game draws the same two texts every
// tick and reading pixels back is the slow part.
EM_JS(int, MarobelLayOutText, (const char* utf8, int cellHeight, int* box), {
  const text = UTF8ToString(utf8);
  const key = cellHeight + "|" + text;
  let state = Module.marobelTextState;
  if (!state) {
    const canvas = document.createElement("canvas");
    state = Module.marobelTextState = {
      canvas : canvas,
      context : canvas.getContext("2d", {willReadFrequently : true}),
      recent : new Map(),
      faces : '"MS Gothic", "\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF", "IPAGothic", "Noto Sans Mono CJK JP", ' +
          '"Noto Sans CJK JP", "VL Gothic", "Osaka-Mono", monospace'
    };
  }
  let result = state.recent.get(key);
  if (!result) {
    const context = state.context;
    context.font = "100px " + state.faces;
    const probe = context.measureText("Mg");
    const ascent = probe.fontBoundingBoxAscent || 88;
    const descent = probe.fontBoundingBoxDescent || 12;
    // A negative height is the em height itself, as elsewhere.
    const em = cellHeight > 0 ? cellHeight * 100 / (ascent + descent) : -cellHeight;
    const baseline = Math.round(ascent * em / 100);
    const lineHeight = cellHeight > 0 ? cellHeight : Math.round((ascent + descent) * em / 100);
    context.font = em + "px " + state.faces;
    const metrics = context.measureText(text);
    const width = Math.max(1, Math.ceil(Math.max(metrics.width, metrics.actualBoundingBoxRight || 0)) + 1);
    const height = Math.max(lineHeight, Math.ceil(baseline + (metrics.actualBoundingBoxDescent || 0)));
    // Resizing clears the canvas and its drawing state.
    state.canvas.width = width;
    state.canvas.height = height;
    context.font = em + "px " + state.faces;
    context.textBaseline = "alphabetic";
    context.fillStyle = "#fff";
    context.fillText(text, 0, baseline);
    const rgba = context.getImageData(0, 0, width, height).data;
    const alpha = new Uint8Array(width * height);
    let drawn = 0;
    for (let i = 0; i < alpha.length; ++i) {
      alpha[i] = rgba[i * 4 + 3];
      drawn |= alpha[i];
    }
    result = {width : width, height : height, alpha : alpha, drawn : drawn != 0};
    if (state.recent.size >= 16) state.recent.delete(state.recent.keys().next().value);
    state.recent.set(key, result);
  }
  state.last = result;
  HEAP32[box >> 2] = result.width;
  HEAP32[(box >> 2) + 1] = result.height;
  return result.drawn ? 1 : 0;
});

EM_JS(void, MarobelCopyTextCoverage, (unsigned char* out), { HEAPU8.set(Module.marobelTextState.last.alpha, out); });

bool RasterizeText(std::string_view sjisText, int cellHeight, TextCoverage& out) {
  out = TextCoverage{};
  if (sjisText.empty() || cellHeight == 0 || cellHeight > kMaxTextHeight || cellHeight < -kMaxTextHeight) return false;
  const std::string utf8 = ShiftJisToUtf8(sjisText);
  int box[2] = {0, 0};
  if (!MarobelLayOutText(utf8.c_str(), cellHeight, box)) return false;
  out.width = box[0];
  out.height = box[1];
  out.alpha.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  MarobelCopyTextCoverage(out.alpha.data());
  return true;
}
