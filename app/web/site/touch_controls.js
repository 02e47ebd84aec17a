// The lane controls under (or beside) the game area, and taps on the
// cabinet's left or right half: each press is the arrow key's key-down for
// that lane, and a held press repeats as a held key does.
"use strict";

window.MarobelTouch = (() => {
  // A held key's auto-repeat, as the desktop's keyboard delivers it.
  const kRepeatDelayMs = 500;
  const kRepeatPeriodMs = 100;

  // One press per pointer: down delivers at once, then repeats until the
  // pointer lifts, leaves the control or is taken by the browser.
  function holdable(element, virtualKeyAt, deliver) {
    const held = new Map();  // pointerId -> { timer, element }
    function release(pointerId) {
      const press = held.get(pointerId);
      if (!press) return;
      clearTimeout(press.timer);
      clearInterval(press.timer);
      held.delete(pointerId);
      if (press.pressed) press.pressed.classList.remove("pressed");
    }
    element.addEventListener("pointerdown", (event) => {
      if (event.button !== 0) return;
      const target = virtualKeyAt(event);
      if (!target) return;
      // No focus, no text selection, no synthesised click or double-tap zoom.
      event.preventDefault();
      release(event.pointerId);
      try {
        element.setPointerCapture(event.pointerId);
      } catch (error) {
        // a pointer the browser has already let go of
      }
      const press = { timer: 0, pressed: target.pressed };
      if (press.pressed) press.pressed.classList.add("pressed");
      held.set(event.pointerId, press);
      deliver(target.virtualKey);
      press.timer = setTimeout(() => {
        if (!held.has(event.pointerId)) return;
        deliver(target.virtualKey);
        press.timer = setInterval(() => deliver(target.virtualKey), kRepeatPeriodMs);
      }, kRepeatDelayMs);
    });
    for (const type of ["pointerup", "pointercancel", "lostpointercapture"])
      element.addEventListener(type, (event) => release(event.pointerId));
    element.addEventListener("contextmenu", (event) => event.preventDefault());
  }

  // The lane buttons carry the key they stand for in data-key.
  function wire(deliver) {
    const laneKey = (code) => MarobelKeys.virtualKeyFor(code, code);
    for (const lane of document.querySelectorAll(".lane"))
      holdable(lane, () => ({ virtualKey: laneKey(lane.dataset.key), pressed: lane }), deliver);
    // The cabinet's halves answer touch and pen; the mouse keeps having no
    // effect on the game area, as on the desktop.
    const game = document.getElementById("game");
    holdable(game, (event) => {
      if (event.pointerType === "mouse") return null;
      // The part shown: a phone held upright shows the cabinet alone.
      const area = game.parentElement.getBoundingClientRect();
      const left = event.clientX < area.left + area.width / 2;
      return { virtualKey: laneKey(left ? "ArrowLeft" : "ArrowRight"),
               pressed: document.getElementById(left ? "lane-left" : "lane-right") };
    }, deliver);
  }

  return { wire, kRepeatDelayMs, kRepeatPeriodMs };
})();
