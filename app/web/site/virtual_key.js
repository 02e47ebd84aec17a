// The page's key-downs in the virtual-key codes that the desktop shells
// deliver to the game, so a key script means the same game in every build.
// Letters follow the character of the player's layout, as the desktop's
// codes do; other keys go by their place on the keyboard (a US layout's).
"use strict";

window.MarobelKeys = (() => {
  const byCode = {
    ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
    Backspace: 0x08, Tab: 0x09, NumpadClear: 0x0c, Enter: 0x0d, NumpadEnter: 0x0d,
    ShiftLeft: 0x10, ShiftRight: 0x10, ControlLeft: 0x11, ControlRight: 0x11, AltLeft: 0x12, AltRight: 0x12,
    Pause: 0x13, CapsLock: 0x14, Escape: 0x1b, Space: 0x20,
    PageUp: 0x21, PageDown: 0x22, End: 0x23, Home: 0x24, PrintScreen: 0x2c, Insert: 0x2d, Delete: 0x2e,
    MetaLeft: 0x5b, OSLeft: 0x5b, MetaRight: 0x5c, OSRight: 0x5c, ContextMenu: 0x5d,
    NumLock: 0x90, ScrollLock: 0x91,
    NumpadMultiply: 0x6a, NumpadAdd: 0x6b, NumpadSubtract: 0x6d, NumpadDecimal: 0x6e, NumpadComma: 0x6e,
    NumpadDivide: 0x6f,
    Semicolon: 0xba, Equal: 0xbb, Comma: 0xbc, Minus: 0xbd, Period: 0xbe, Slash: 0xbf, Backquote: 0xc0,
    BracketLeft: 0xdb, Backslash: 0xdc, BracketRight: 0xdd, Quote: 0xde,
  };
  // With NumLock off the keypad's digits are the navigation keys they are
  // labelled with, and the desktop delivers those keys' codes.
  const navigation = {
    ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28, PageUp: 0x21, PageDown: 0x22,
    End: 0x23, Home: 0x24, Insert: 0x2d, Delete: 0x2e, Clear: 0x0c,
  };

  // The virtual-key code for a KeyboardEvent's code and key, or 0 for a key
  // that has none.
  function virtualKeyFor(code, key) {
    if (typeof key === "string" && /^[a-zA-Z]$/.test(key)) return key.toUpperCase().charCodeAt(0);
    let match;
    if ((match = /^Key([A-Z])$/.exec(code))) return match[1].charCodeAt(0);
    if ((match = /^Digit([0-9])$/.exec(code))) return 0x30 + Number(match[1]);
    if (/^Numpad([0-9]|Decimal)$/.test(code) && Object.hasOwn(navigation, key)) return navigation[key];
    if ((match = /^Numpad([0-9])$/.exec(code))) return 0x60 + Number(match[1]);
    if ((match = /^F([0-9]{1,2})$/.exec(code)) && Number(match[1]) >= 1 && Number(match[1]) <= 24)
      return 0x70 + Number(match[1]) - 1;
    return Object.hasOwn(byCode, code) ? byCode[code] : 0;
  }

  // Keys the desktop routes to its menu machinery rather than to the game:
  // anything with Alt held, Alt itself and F10.
  function isSystemKey(event) {
    return event.altKey || event.key === "Alt" || event.code === "F10";
  }

  // Alt with one of the About box's characters ("?" or "/" in the shell's
  // facts), whatever layout produced it; where Alt leaves no character, the
  // key that carries them on a US layout.
  let aboutCharacters = null;
  function isAboutAccelerator(event) {
    if (!event.altKey) return false;
    if (!aboutCharacters)
      aboutCharacters = JSON.parse(document.getElementById("shell-facts").textContent).AboutAccelerators.split(" ");
    if (aboutCharacters.includes(event.key)) return true;
    return event.code === "Slash" && (typeof event.key !== "string" || event.key.length !== 1);
  }

  return { virtualKeyFor, isSystemKey, isAboutAccelerator };
})();
