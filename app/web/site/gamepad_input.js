// Gamepads in the standard mapping: the d-pad's left and right and the left
// and right shoulder buttons drop coins in the two lanes, one key-down per
// press of a button (holding one does not repeat).
"use strict";

window.MarobelGamepad = (() => {
  // Button indices of the standard mapping.
  const kLaneButtons = [[14, "ArrowLeft"], [15, "ArrowRight"], [4, "ArrowLeft"], [5, "ArrowRight"]];
  const wasPressed = new Map();  // "gamepad index:button" -> pressed at the last poll
  let seen = false;

  function poll(deliver, onFirstSeen) {
    const pads = navigator.getGamepads ? navigator.getGamepads() : [];
    for (const pad of pads) {
      if (!pad || !pad.connected) continue;
      if (!seen) {
        seen = true;
        onFirstSeen();
      }
      for (const [index, code] of kLaneButtons) {
        const button = pad.buttons[index];
        const pressed = Boolean(button && (button.pressed || button.value > 0.5));
        const id = pad.index + ":" + index;
        if (pressed && !wasPressed.get(id)) deliver(MarobelKeys.virtualKeyFor(code, code));
        wasPressed.set(id, pressed);
      }
    }
  }

  // Polled once a displayed frame: the API has no button events.
  function start(deliver, onFirstSeen) {
    const frame = () => {
      poll(deliver, onFirstSeen);
      requestAnimationFrame(frame);
    };
    requestAnimationFrame(frame);
  }

  return { start, seen: () => seen };
})();
