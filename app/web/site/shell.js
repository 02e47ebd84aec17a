// The page around the game: it loads the pictures and sounds into the
// module's file system and starts the game, and turns the page's keys, lane
// controls, cabinet taps, gamepads, menus, About box, zoom and sound into
// the module's calls (web_main.cpp). Every rule of the game stays in the
// module.
"use strict";

const page = {
  started: false,
  ended: false,
  soundNames: [],
  firstFrameAt: undefined,
  startup: {},  // milliseconds after navigation at which each start-up stage ended
  // Phones and tablets play by touch; desktops by keys, with the lane
  // controls small beside them.
  touch: navigator.maxTouchPoints > 0 || window.matchMedia("(pointer: coarse)").matches,
  zoom: "1",
  // With ?trace the page keeps a key record and a trace of its game in the
  // module's file system, in the headless runner's formats.
  tracing: new URLSearchParams(location.search).has("trace"),
};
page.zoom = page.touch ? "fit" : "1";
const kSessionRecord = "/session/keys.txt";
const kSessionTrace = "/session/trace.jsonl";
page.startup.shell = performance.now();

// --- The module: start once the files are in place ---------------------

var Module = {
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  onMarobelFrame: (elementId) => {
    if (elementId === "game" && page.firstFrameAt === undefined) page.firstFrameAt = performance.now();
  },
  onRuntimeInitialized: () => {
    page.startup.module = performance.now();
    loadGameFiles().then(() => {
      page.startup.files = performance.now();
      let args = [];
      if (page.tracing) {
        FS.mkdir("/session");
        args = ["--record", kSessionRecord, "--trace", kSessionTrace];
      }
      Module.callMain(args);
      page.started = true;
      page.startup.main = performance.now();
    });
  },
};

// The game reads its pictures and sounds by bare name from its working
// directory; the page puts every file it can fetch there. A file that
// cannot be fetched is simply absent, and the game's missing-file rules
// draw and sound in its place.
async function loadGameFiles() {
  const names = Module.UTF8ToString(Module._web_asset_names()).split("\n").filter(Boolean);
  FS.mkdir("/marobel");
  FS.chdir("/marobel");
  await Promise.all(names.map(async (name) => {
    try {
      const response = await fetch("assets/" + name);
      if (!response.ok) return;
      FS.writeFile(name, new Uint8Array(await response.arrayBuffer()));
    } catch (error) {
      // Unreachable: left absent, like a missing file.
    }
  }));
  page.soundNames = names.filter((name) => name.endsWith(".wav"));
}

// --- Sound: one cue at a time, started by the first gesture ------------

const audio = { context: null, buffers: new Map(), decoding: new Set(), playing: null, fallback: null,
                cuesStarted: 0, lastCue: "" };

// Browsers let a page sound only after a key press or click. The sounds are
// decoded then, ahead of any cue, so that playing one never waits.
function unlockAudio() {
  if (audio.context) {
    // A touch's pointerdown does not count as a gesture; the lift that
    // follows does, and lets a context made too early start.
    if (audio.context.state === "suspended") audio.context.resume().catch(() => {});
    return;
  }
  if (!page.started) return;
  const AudioContextType = window.AudioContext || window.webkitAudioContext;
  if (!AudioContextType) return;
  try {
    audio.context = new AudioContextType();
  } catch (error) {
    return;
  }
  audio.context.resume().catch(() => {});
  for (const name of page.soundNames) {
    let bytes;
    try {
      bytes = FS.readFile(name);
    } catch (error) {
      continue;  // missing: the default sound plays for it
    }
    audio.decoding.add(name);
    audio.context.decodeAudioData(bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength))
      .then((buffer) => audio.buffers.set(name, buffer), () => {})
      .finally(() => audio.decoding.delete(name));
  }
}

// Where a wave file is missing or unreadable, every shell plays one tone,
// which the game's module makes.
function defaultSound(context) {
  if (!audio.fallback) {
    const length = Module._web_fallback_sound_length();
    const buffer = context.createBuffer(1, length, Module._web_fallback_sound_rate());
    const samples = buffer.getChannelData(0);
    for (let i = 0; i < length; ++i) samples[i] = Module._web_fallback_sound_sample(i);
    audio.fallback = buffer;
  }
  return audio.fallback;
}

// A new cue cuts the one playing. A cue asked for before the first gesture,
// or while its file is still being decoded, is not heard.
Module.marobelPlayCue = (name) => {
  const context = audio.context;
  if (!context || audio.decoding.has(name)) return;
  if (audio.playing) {
    try {
      audio.playing.stop();
    } catch (error) {
      // already ended
    }
    audio.playing = null;
  }
  const source = context.createBufferSource();
  source.buffer = audio.buffers.get(name) || defaultSound(context);
  source.connect(context.destination);
  source.onended = () => {
    if (audio.playing === source) audio.playing = null;
  };
  source.start();
  audio.playing = source;
  ++audio.cuesStarted;
  audio.lastCue = name;
};

// --- Menus -------------------------------------------------------------

const menus = {
  open: null,  // the open .menu element

  titles() {
    return Array.from(document.querySelectorAll(".menu-title"));
  },
  show(menu) {
    this.close();
    if (page.ended || !menu) return;
    menu.querySelector(".menu-items").hidden = false;
    menu.querySelector(".menu-title").setAttribute("aria-expanded", "true");
    menu.querySelector(".menu-item").focus();
    this.open = menu;
  },
  close() {
    if (!this.open) return;
    this.open.querySelector(".menu-items").hidden = true;
    this.open.querySelector(".menu-title").setAttribute("aria-expanded", "false");
    this.open = null;
    if (document.activeElement instanceof HTMLElement) document.activeElement.blur();
  },
  // Keys of an open menu (mnemonics, Enter, Escape, arrows across) and the
  // Alt mnemonics that open one. Returns true for a key the menus took.
  handleKey(event) {
    const letter = event.key.length === 1 ? event.key.toLowerCase() : "";
    if (this.open) {
      event.preventDefault();
      if (event.key === "Escape") this.close();
      else if (event.key === "ArrowLeft" || event.key === "ArrowRight") {
        const titles = this.titles();
        const at = titles.indexOf(this.open.querySelector(".menu-title"));
        const next = titles[(at + (event.key === "ArrowRight" ? 1 : titles.length - 1)) % titles.length];
        this.show(next.parentElement);
      } else {
        const item = Array.from(this.open.querySelectorAll(".menu-item")).find(
          (candidate) => (event.key === "Enter" && candidate === document.activeElement) ||
                         candidate.dataset.mnemonic === letter);
        if (item) {
          this.close();
          runCommand(item.id);
        }
      }
      return true;
    }
    if (event.altKey && letter) {
      const title = this.titles().find((candidate) => candidate.dataset.mnemonic === letter);
      if (title) {
        event.preventDefault();
        this.show(title.parentElement);
        return true;
      }
    }
    return false;
  },
};

function runCommand(itemId) {
  if (itemId === "about-item") openAbout();
  else if (itemId === "exit-item") endGame("The game has ended. Reload the page to play again.");
}

// --- The About box -----------------------------------------------------

const aboutBox = () => document.getElementById("about");

// Modal over the game, which keeps ticking behind it; the box sits at its
// dialog-unit place (22, 17) from the game area's corner.
function openAbout() {
  const box = aboutBox();
  if (page.ended || box.open) return;
  menus.close();
  const area = document.getElementById("game").getBoundingClientRect();
  box.style.left = Math.round(area.left + 33) + "px";
  box.style.top = Math.round(area.top + 28) + "px";
  box.showModal();
  document.getElementById("about-ok").focus();
  Module._web_about_opened();
}

function closeAbout(result) {
  const box = aboutBox();
  if (!box.open) return;
  box.close();
  Module._web_about_closed(result);
}

function wireAbout() {
  const box = aboutBox();
  document.getElementById("about-ok").addEventListener("click", () => closeAbout(1));
  document.getElementById("about-close").addEventListener("click", () => closeAbout(2));
  // Escape, as the desktop's Cancel command.
  box.addEventListener("cancel", (event) => {
    event.preventDefault();
    closeAbout(2);
  });
  // Enter is the default button's unless another button has the focus.
  box.addEventListener("keydown", (event) => {
    if (event.key === "Enter" && !(document.activeElement instanceof HTMLButtonElement)) {
      event.preventDefault();
      closeAbout(1);
    }
  });
}

// --- Zoom: whole-pixel scales of the game area -------------------------

function setLayout(layout, fit) {
  const desk = document.getElementById("desk");
  desk.classList.toggle("lanes-below", layout === "below");
  desk.classList.toggle("lanes-beside", layout === "beside");
  desk.classList.toggle("fit", fit);
}

// The CSS pixels the game area may take in a layout: what the page is wide
// and high less everything around the game area, measured with the area at
// 1x. Beside the lanes, the menu bar may scroll out of sight, so that a
// desktop of 800 pixels' height shows the 782 of a 2x game area.
function roomFor(layout, area) {
  const game = document.getElementById("game");
  setLayout(layout, true);
  game.style.width = area.width + "px";
  game.style.height = area.height + "px";
  const deskElement = document.getElementById("desk");
  const desk = deskElement.getBoundingClientRect();
  const style = getComputedStyle(deskElement);
  const windowBox = document.getElementById("window").getBoundingClientRect();
  const beside = layout === "beside";
  let aroundWidth = windowBox.width - area.width;
  if (beside) {
    aroundWidth += 2 * parseFloat(style.columnGap) + parseFloat(style.paddingLeft) + parseFloat(style.paddingRight);
    for (const lane of document.querySelectorAll(".lane")) aroundWidth += lane.getBoundingClientRect().width;
  }
  const aroundHeight = (beside ? windowBox.height : desk.height) - area.height -
                       (beside ? document.getElementById("menubar").offsetHeight : 0);
  return { width: document.documentElement.clientWidth - aroundWidth, height: window.innerHeight - aroundHeight };
}

// Centring can leave the game area between two device pixels, which would
// blur every game pixel's edge: the window moves to the nearest whole one.
function snapToDevicePixels(game, ratio) {
  const frame = document.getElementById("window");
  frame.style.transform = "";
  const box = game.getBoundingClientRect();
  const dx = Math.round(box.left * ratio) / ratio - box.left;
  const dy = Math.round(box.top * ratio) / ratio - box.top;
  if (dx || dy) frame.style.transform = `translate(${dx}px, ${dy}px)`;
}

function applyZoom() {
  const game = document.getElementById("game");
  const area = { width: game.width, height: game.height };
  const ratio = window.devicePixelRatio || 1;
  let size;
  if (page.zoom === "fit") {
    // Lanes below unless beside them the game area gets more device pixels.
    const options = ["below", "beside"].map((layout) =>
      ({ layout, scale: MarobelFit.deviceScale(roomFor(layout, area), area, ratio) }));
    const best = options[1].scale > options[0].scale ? options[1] : options[0];
    setLayout(best.layout, true);
    page.deviceScale = best.scale;
    size = MarobelFit.cssSize(area, best.scale, ratio);
  } else {
    // A chosen zoom in CSS pixels, but never wider than the page.
    const room = roomFor("below", area);
    const scale = Math.max(1, Math.min(Number(page.zoom), Math.floor(room.width / area.width)));
    setLayout("below", false);
    page.deviceScale = scale * ratio;
    size = { width: area.width * scale, height: area.height * scale };
  }
  game.style.width = size.width + "px";
  game.style.height = size.height + "px";
  snapToDevicePixels(game, ratio);
  for (const button of document.querySelectorAll("#zoom button"))
    button.setAttribute("aria-pressed", String(button.dataset.zoom === page.zoom));
}

// --- The end of the game -----------------------------------------------

function endGame(message) {
  if (!page.ended) {
    page.ended = true;
    menus.close();
    closeAbout(2);
    Module._web_exit();
  }
  const status = document.getElementById("status");
  status.textContent = message;
  status.hidden = false;
}

// --- Input: the one way into the game ------------------------------------

// Every key-down the game gets, from the keyboard, a lane control, a tap on
// the cabinet or a gamepad, goes through here, between two ticks.
function deliverKey(virtualKey) {
  unlockAudio();
  if (!page.started || page.ended) return 0;
  return Module._web_key_down(virtualKey);
}

// What the hint line says depends on how this device plays.
function updateHint() {
  const parts = page.touch
    ? ["tap ← → or the cabinet's left or right half to drop a coin", "sound starts with your first tap"]
    : ["← → drop a coin", "Alt+? version", "sound starts with your first key"];
  if (MarobelGamepad.seen()) parts.splice(1, 0, "gamepad: d-pad or shoulder buttons");
  document.getElementById("hint").textContent = parts.join(" · ");
}

// --- Keys --------------------------------------------------------------

// Keys that would scroll the page or move the focus instead.
const keptFromBrowser = new Set([0x09, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28]);

function onKeyDown(event) {
  unlockAudio();
  if (!page.started || page.ended) return;
  if (aboutBox().open) return;  // modal: its own keys only
  if (menus.handleKey(event)) return;
  if (MarobelKeys.isAboutAccelerator(event)) {
    event.preventDefault();
    openAbout();
    return;
  }
  if (MarobelKeys.isSystemKey(event)) return;
  // Every key-down, auto-repeats included; the game picks the keys it uses.
  const virtualKey = MarobelKeys.virtualKeyFor(event.code, event.key);
  if (!virtualKey) return;
  if (keptFromBrowser.has(virtualKey)) event.preventDefault();
  deliverKey(virtualKey);
}

// --- Wiring ------------------------------------------------------------

window.addEventListener("keydown", onKeyDown);
window.addEventListener("pointerdown", (event) => {
  unlockAudio();
  if (menus.open && !menus.open.contains(event.target)) menus.close();
});
window.addEventListener("pointerup", unlockAudio);
window.addEventListener("resize", applyZoom);
document.addEventListener("DOMContentLoaded", () => {
  document.documentElement.classList.toggle("touch", page.touch);
  MarobelTouch.wire(deliverKey);
  MarobelGamepad.start(deliverKey, updateHint);
  updateHint();
  for (const title of menus.titles()) {
    title.addEventListener("click", () => {
      if (menus.open === title.parentElement) menus.close();
      else menus.show(title.parentElement);
    });
  }
  for (const item of document.querySelectorAll(".menu-item")) {
    item.addEventListener("click", () => {
      menus.close();
      runCommand(item.id);
    });
  }
  for (const button of document.querySelectorAll("#zoom button")) {
    button.addEventListener("click", () => {
      page.zoom = button.dataset.zoom;
      applyZoom();
      button.blur();  // arrow keys belong to the game, not to the buttons
    });
  }
  wireAbout();
  applyZoom();
});

// Installed, the page plays offline: the service worker keeps this build's
// files (the build names them and its version in sw.js).
if ("serviceWorker" in navigator && location.protocol !== "file:") {
  window.addEventListener("load", () => {
    navigator.serviceWorker.register("sw.js").catch((error) => console.warn("offline play unavailable:", error));
  });
}

// --- For the page's tests and measurements ------------------------------

window.marobelPage = {
  ready: () => page.started,
  firstFrameAt: () => page.firstFrameAt,
  startup: () => ({ ...page.startup, firstFrame: page.firstFrameAt }),
  credits: () => Module._web_credits(),
  ticksRun: () => Module._web_ticks_run(),
  framesShown: () => Module._web_frames_shown(),
  aboutFramesShown: () => Module._web_about_frames_shown(),
  aboutOpen: () => Module._web_about_open() === 1,
  gameRunning: () => Module._web_game_running() === 1,
  lastKey: () => ({
    delivered: Module._web_keys_delivered(),
    virtualKey: Module._web_last_key(),
    creditsBefore: Module._web_last_key_credits_before(),
    creditsAfter: Module._web_last_key_credits_after(),
  }),
  memoryBytes: () => Module.HEAP8.buffer.byteLength,
  layout: () => ({ deviceScale: page.deviceScale, touch: page.touch, zoom: page.zoom,
                   beside: document.getElementById("desk").classList.contains("lanes-beside") }),
  // With ?trace: the key record and the trace of the page's game so far.
  session: () => ({ record: FS.readFile(kSessionRecord, { encoding: "utf8" }),
                    trace: FS.readFile(kSessionTrace, { encoding: "utf8" }) }),
  audio: () => ({
    unlocked: audio.context !== null,
    state: audio.context ? audio.context.state : "none",
    decoded: audio.buffers.size,
    sounds: page.soundNames.length,
    cuesStarted: audio.cuesStarted,
    lastCue: audio.lastCue,
    fallbackSeconds: audio.fallback ? audio.fallback.duration : 0,
  }),

  // Plays a key script from the creation reset for `ticks` ticks and
  // returns the trace lines, tick 0 first. Ends the page's own game.
  // flags: 1 adds each tick's drawing calls, 2 shows the frames, 4 plays
  // the sounds.
  runScript(script, ticks, credits = -1, flags = 0) {
    const error = Module.ccall("web_script_start", "string", ["string", "number", "number"],
                               [script, credits, flags]);
    if (error) throw new Error("key script " + error);
    endGame("A scripted test run has replaced the game. Reload the page to play again.");
    const lines = [Module.UTF8ToString(Module._web_script_line())];
    for (let tick = 1; tick <= ticks; ++tick) lines.push(Module.UTF8ToString(Module._web_script_step(1)));
    return lines;
  },

  // Times each tick of a scripted game with its frame shown on the page,
  // in milliseconds. Ends the page's own game.
  timeScript(script, ticks, credits = -1) {
    const error = Module.ccall("web_script_start", "string", ["string", "number", "number"],
                               [script, credits, 2]);
    if (error) throw new Error("key script " + error);
    endGame("A timed test run has replaced the game. Reload the page to play again.");
    const times = [];
    for (let tick = 1; tick <= ticks; ++tick) {
      const begin = performance.now();
      Module._web_script_step(0);
      times.push(performance.now() - begin);
    }
    return times;
  },
};
