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
  moduleReady: false,
  // With ?trace the page keeps a key record and a trace of its game in the
  // module's file system, in the headless runner's formats.
  tracing: new URLSearchParams(location.search).has("trace"),
  // Pictures between ticks, at the screen's rate. The page keeps no
  // settings: every visit starts with it on.
  smooth: true,
};
// Every screen starts with the game area as large as it fits.
page.zoom = "fit";
const kSessionTrace = "/session/trace.jsonl";
// A replay link's key script, and the record of the watched game, which
// goes on when the player takes over.
const kWatchScript = "/session/watch.keys";
const kWatchRecord = "/session/watched.keys";
// Where the module keeps what outlasts the page (the browser's storage is
// mounted there), and the files of the game it continues: the module names
// them. Asked once the module runs, before its main.
const stateFolder = () => Module.UTF8ToString(Module._web_state_folder());
const keptFiles = () => Module.UTF8ToString(Module._web_kept_files()).split("\n");
const baseName = (path) => path.slice(path.lastIndexOf("/") + 1);
page.startup.shell = performance.now();
// readyState is "interactive" before the deferred scripts run; only
// DOMContentLoaded comes after them.
document.addEventListener("DOMContentLoaded", () => {
  page.documentRead = true;
});

// --- The module: start once the files are in place ---------------------

var Module = {
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  onMarobelFrame: (elementId) => {
    if (elementId !== "game") return;
    if (page.firstFrameAt === undefined) {
      page.firstFrameAt = performance.now();
      page.registerWorker();
    }
    updateCropBar();
  },
  onRuntimeInitialized: () => {
    page.startup.module = performance.now();
    page.moduleReady = true;
    if (document.readyState !== "loading") applyZoom();
    FS.mkdir("/session");
    // The start may show the page's panels and messages, and needs the
    // deferred scripts (the controls): the page is read and they have run.
    const pageRead = new Promise((resolve) => {
      if (page.documentRead) resolve();
      else document.addEventListener("DOMContentLoaded", resolve);
    });
    Promise.all([loadGameFiles(), storage.open(), pageRead]).then(() => {
      page.startup.files = performance.now();
      controls.load();
      return chooseStart();
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

// --- The browser's storage: the kept game survives the page -------------

// Text for the module goes through its heap. ccall's "string" arguments
// are copied onto the module's stack, which a long text (a key script, a
// link) overruns, corrupting the module's memory.
function withModuleText(text, call) {
  const size = Module.lengthBytesUTF8(text) + 1;
  const pointer = Module._malloc(size);
  if (!pointer) throw new Error("no memory for a text of " + size + " bytes");
  try {
    Module.stringToUTF8(text, pointer, size);
    return call(pointer);
  } finally {
    Module._free(pointer);
  }
}

// The next task of the page: long work goes on in slices between which the
// page answers taps and keys and paints. A message comes back sooner than
// a timer, which the browser delays after a few in a row.
function nextTask() {
  return new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => resolve();
    channel.port2.postMessage(null);
  });
}
// No slice of work may keep the page from answering for longer.
const kSliceMs = 20;
// A skip's slices are longer: each pause between them costs a frame of the
// page, and a skip is as fast as its pauses are few.
const kSkipSliceMs = 40;

// Bytes as base64, a slice at a time: one call with every byte as an
// argument would overflow the stack for a long record.
function toBase64(bytes) {
  let binary = "";
  for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(binary);
}

const storage = {
  available: false,
  persistAsked: false,
  syncing: false,
  again: false,
  // Reads what the browser keeps into the module's file system.
  open() {
    return new Promise((resolve) => {
      try {
        FS.mkdir(stateFolder());
        FS.mount(IDBFS, {}, stateFolder());
      } catch (error) {
        resolve();
        return;
      }
      FS.syncfs(true, (error) => {
        this.available = !error;
        if (error) console.warn("the game cannot be kept on this device:", error);
        else this.applyJournal();
        resolve();
      });
    });
  },
  // The browser's storage is written asynchronously, which a closing page
  // may not wait for; its last moment goes to a synchronous journal as
  // well, which the next visit puts back. Any later write of the storage
  // outdates the journal.
  journalKey: "marobel.kept-game-journal",
  writeJournal() {
    if (!this.available) return;
    try {
      const files = {};
      for (const path of keptFiles())
        if (FS.analyzePath(path).exists) files[baseName(path)] = toBase64(FS.readFile(path));
      localStorage.setItem(this.journalKey, JSON.stringify({ at: Date.now(), files }));
    } catch (error) {
      // No journal (storage full or refused): the last sync stands.
    }
  },
  applyJournal() {
    let journal = null;
    try {
      journal = JSON.parse(localStorage.getItem(this.journalKey));
    } catch (error) {
      journal = null;
    }
    if (!journal || typeof journal.files !== "object") return;
    try {
      for (const path of keptFiles()) {
        const text = journal.files[baseName(path)];
        if (typeof text !== "string") continue;
        const binary = atob(text);
        const bytes = new Uint8Array(binary.length);
        for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
        FS.mkdirTree(path.slice(0, path.lastIndexOf("/")));
        FS.writeFile(path, bytes);
      }
    } catch (error) {
      console.warn("the journal of the last visit could not be put back:", error);
    }
    localStorage.removeItem(this.journalKey);
    this.save();
  },
  // A browser short of room may clear a site's storage, and the kept game
  // with it, unless the site asked to keep it: asked once a game is kept.
  askToPersist() {
    if (this.persistAsked || !this.available || !navigator.storage?.persist) return;
    this.persistAsked = true;
    navigator.storage.persisted().then((kept) => kept || navigator.storage.persist())
      .catch((error) => console.warn("the browser may clear the kept game to make room:", error));
  },
  // Hands the kept game's files to the browser; one write at a time.
  save() {
    if (!this.available) return;
    if (this.syncing) {
      this.again = true;
      return;
    }
    this.syncing = true;
    const started = Date.now();
    FS.syncfs(false, (error) => {
      this.syncing = false;
      if (!error) {
        try {
          const journal = JSON.parse(localStorage.getItem(this.journalKey));
          if (journal && journal.at <= started) localStorage.removeItem(this.journalKey);
        } catch (ignored) {
          // no journal to outdate
        }
      }
      if (this.again) {
        this.again = false;
        this.save();
      }
    });
  },
};

// The page may go at any moment: the game is written whole as it stands.
function keepGameNow() {
  if (!page.started) return;
  Module._web_keep_now();
  storage.writeJournal();
  storage.save();
}

// --- Starting a game: kept, new, free play, or a replay link's ----------

// Ways a game starts: "continue" the kept one, a "new" one (with `credits`
// for free play) that replaces it, the "previous" one in its place, or
// "watch" a replay link's.
function startGame(mode, credits) {
  let args;
  if (mode === "watch") {
    // The game of the link just read (readReplayLink) is the one watched.
    args = ["--record", kWatchRecord];
  } else {
    if (mode === "new") Module._web_replace_kept_game();
    if (mode === "previous") Module._web_take_up_previous_game();
    args = ["--continue"];
    if (credits) args.push("--credits", String(credits));
  }
  if (page.tracing) args.push("--trace", kSessionTrace);
  if (!page.smooth) args.push("--no-smooth");
  page.mode = mode === "watch" ? "watch" : credits ? "free play" : mode === "previous" ? "continue" : mode;
  if (!page.mainCalled) {
    page.mainCalled = true;
    Module.callMain(args);
  } else {
    withModuleText(args.join("\n"), (text) => Module._web_start(text));
  }
  page.started = true;
  page.ended = false;
  if (page.startup.main === undefined) page.startup.main = performance.now();
  startPanel.hide();
  watchBar.update();
  controls.update();
  // A choice made by a click or tap lets the page sound.
  if (navigator.userActivation?.isActive) unlockAudio();
  const notice = Module.UTF8ToString(Module._web_notice());
  if (notice) showStatus("The kept game could not be continued; a new game has started. (" + notice + ")");
  if (mode !== "watch") {
    storage.save();
    storage.askToPersist();
  }
}

// What an installed page's shortcut asks for ("continue" or "new" in
// ?start=), taken from the address so that a reload does not ask again.
function takeStartChoice() {
  const params = new URLSearchParams(location.search);
  const choice = params.get("start");
  if (choice === null) return null;
  params.delete("start");
  const search = params.toString();
  history.replaceState(null, "", location.pathname + (search ? "?" + search : "") + location.hash);
  return choice === "continue" || choice === "new" ? choice : null;
}

// A replay link opens in watch mode; a shortcut's choice is followed; a kept
// game is offered; otherwise a new game starts at once.
async function chooseStart() {
  let message = "";
  const choice = takeStartChoice();
  if (location.hash.startsWith("#play=")) {
    page.linkRead = { start: performance.now() };
    const error = await readReplayLink(location.hash.slice("#play=".length));
    page.linkRead.end = performance.now();
    // The game starts in a task of its own.
    await nextTask();
    if (error === "") {
      startGame("watch");
      return;
    }
    forgetLink();
    message = error === null ? "The replay was not opened." : error.charAt(0).toUpperCase() + error.slice(1) + ".";
  }
  const offer = Module.UTF8ToString(Module._web_kept_game_offer());
  // A new game keeps the one it replaces as the previous game.
  if (choice === "new" && !message) startGame("new");
  else if (offer && (choice === null || message)) startPanel.show(offer);
  else startGame("continue");
  // Said after the start, whose own notice it must not hide.
  if (message) {
    const status = document.getElementById("status");
    const notice = status.hidden ? "" : " " + status.textContent;
    showStatus(message + (offer ? " Your kept game is waiting: continue it or start a new one."
                                : " A new game has started instead.") + notice);
  }
}

// Why a link holds no game, as the module words it (LinkRefusal's order).
const kLinkTooLong = 0, kLinkNotALink = 1, kLinkDamaged = 2, kLinkTooLarge = 3;
const linkRefusal = (why, chars = 0) => Module.UTF8ToString(Module._web_link_refusal(why, chars));

// Reads what follows "#play=" a slice at a time, with its progress and a
// Cancel on the page: the link's text is checked before anything is made
// of it, unpacked by the browser with its size bounded as it streams, and
// its key script read by the module. Resolves to "" when the module holds
// the link's game, to the one line for the player when it holds none, and
// to null when the player cancelled.
async function readReplayLink(payload) {
  const maxChars = Module._web_link_limit(0);
  const maxBytes = Module._web_link_limit(1);
  if (payload.length > maxChars) return linkRefusal(kLinkTooLong, payload.length);
  if (!/^[A-Za-z0-9_-]*={0,2}$/.test(payload)) return linkRefusal(kLinkNotALink);
  const text = payload.replace(/=+$/, "");
  if (text.length === 0 || text.length % 4 === 1) return linkRefusal(kLinkDamaged);
  let cancelled = false;
  progress.show("Reading the replay…", () => {
    cancelled = true;
  });
  try {
    // base64url to bytes, 32 Ki characters at a time (a multiple of 4).
    const packed = new Uint8Array(Math.floor(text.length * 3 / 4));
    let filled = 0;
    for (let at = 0; at < text.length; at += 32768) {
      await nextTask();
      if (cancelled) return null;
      const binary = atob(text.slice(at, at + 32768).replace(/-/g, "+").replace(/_/g, "/"));
      for (let i = 0; i < binary.length; ++i) packed[filled++] = binary.charCodeAt(i);
    }
    // Unpacked as it streams, so that a small link that would unpack to
    // gigabytes is stopped at the bound.
    const inflate = new DecompressionStream("deflate-raw");
    const writer = inflate.writable.getWriter();
    const reader = inflate.readable.getReader();
    let fed = 0;
    // A kilobyte at a time: deflate unpacks up to 1,032 times its size, and
    // the browser unpacks each piece written in one task.
    const feeding = (async () => {
      for (let at = 0; at < packed.length && !cancelled; at += 1024) {
        await writer.write(packed.subarray(at, at + 1024));
        fed = Math.min(packed.length, at + 1024);
      }
      await writer.close();
    })();
    feeding.catch(() => {});  // the reader below reports what went wrong
    const parts = [];
    let size = 0;
    let outcome = "";
    try {
      // The stream answers in microtasks, which would run on in one task
      // of the page: the loop gives the page its turn every slice.
      let sliceStart = performance.now();
      for (;;) {
        if (performance.now() - sliceStart > kSliceMs) {
          await nextTask();
          sliceStart = performance.now();
        }
        const { done, value } = await reader.read();
        if (done) break;
        size += value.length;
        if (cancelled || size > maxBytes) {
          outcome = cancelled ? null : linkRefusal(kLinkTooLarge);
          break;
        }
        parts.push(value);
        progress.set(0.5 * fed / packed.length);
      }
      if (outcome === "") await feeding;
    } catch (error) {
      // Cancelling closes the stream short, which the browser calls damage.
      outcome = cancelled ? null : linkRefusal(kLinkDamaged);
    }
    if (outcome !== "") {
      reader.cancel().catch(() => {});
      writer.abort().catch(() => {});
      return outcome;
    }
    const script = new Uint8Array(size);
    for (let at = 0, i = 0; i < parts.length; at += parts[i].length, ++i) script.set(parts[i], at);
    parts.length = 0;
    // Joining, storing and taking in megabytes are each a task of their
    // own: together, for the largest links, they held the page 200 ms.
    await nextTask();
    FS.writeFile(kWatchScript, script);
    await nextTask();
    const error = Module.ccall("web_link_read_begin", "string", ["string"], [kWatchScript]);
    if (error) return error;
    for (let read = 0; read <= 1; read = Module._web_link_read_step(kSliceMs)) {
      progress.set(0.5 + 0.5 * read);
      await nextTask();
      if (cancelled) {
        Module._web_link_read_cancel();
        return null;
      }
    }
    return Module.UTF8ToString(Module._web_link_read_end());
  } finally {
    progress.hide();
  }
}

// Long work under way (reading a link, a skip): how far it has come, and
// a Cancel for the player.
const progress = {
  label: "",
  onCancel: null,
  element: () => document.getElementById("progress"),
  show(label, onCancel) {
    this.label = label;
    this.onCancel = onCancel;
    this.element().hidden = false;
    this.set(0);
  },
  set(fraction) {
    document.getElementById("progress-text").textContent =
      `${this.label} ${Math.floor(100 * Math.min(1, Math.max(0, fraction)))}%`;
  },
  hide() {
    this.element().hidden = true;
    this.onCancel = null;
  },
  wire() {
    document.getElementById("progress-cancel").addEventListener("click", (event) => {
      event.currentTarget.blur();
      if (this.onCancel) this.onCancel();
    });
  },
};

// Leaves the replay link out of the address, so a reload plays the
// player's own game.
function forgetLink() {
  if (location.hash) history.replaceState(null, "", location.pathname + location.search);
}

const startPanel = {
  element: () => document.getElementById("start-panel"),
  // `offer`: "TICK CREDITS" of a kept game to continue; none when the panel
  // is opened during a game, which it can go back to.
  show(offer) {
    const panel = this.element();
    const resume = document.getElementById("start-continue");
    const back = document.getElementById("start-back");
    if (offer) {
      const [tick, credits] = offer.split(" ").map(Number);
      resume.textContent = `Continue (tick ${tick.toLocaleString("en-US")}, ${credits.toLocaleString("en-US")} credits)`;
      document.getElementById("start-heading").textContent = "A game is kept on this device.";
    } else {
      document.getElementById("start-heading").textContent = "Start another game? This one is replaced.";
    }
    resume.hidden = !offer;
    back.hidden = !!offer || !page.started;
    panel.hidden = false;
    (offer ? resume : back).focus();
  },
  hide() {
    this.element().hidden = true;
  },
  open: function () {
    return !this.element().hidden;
  },
  wire() {
    document.getElementById("start-continue").addEventListener("click", () => {
      document.getElementById("status").hidden = true;
      startGame("continue");
    });
    document.getElementById("start-back").addEventListener("click", () => this.hide());
    document.getElementById("start-new").addEventListener("click", () => {
      document.getElementById("status").hidden = true;
      forgetLink();
      startGame("new");
    });
    for (const button of this.element().querySelectorAll("button[data-credits]")) {
      button.addEventListener("click", () => {
        document.getElementById("status").hidden = true;
        forgetLink();
        startGame("new", Number(button.dataset.credits));
      });
    }
    document.getElementById("new-game").addEventListener("click", (event) => {
      event.currentTarget.blur();
      this.show("");
    });
  },
};

// --- Watching a replay link's game ----------------------------------------

const watchBar = {
  timer: 0,
  element: () => document.getElementById("watch"),
  skipping: null,  // the skip under way: { cancelled }
  update() {
    const watching = page.started && !page.ended && Module._web_replay_running() === 1;
    const bar = this.element();
    document.getElementById("desk").classList.toggle("watching", watching);
    for (const lane of document.querySelectorAll(".lane")) lane.setAttribute("aria-disabled", String(watching));
    if (!watching) {
      if (!bar.hidden) {
        bar.hidden = true;
        applyZoom();
        updateHint();
        if (page.mode === "watch") showStatus("The replay is over: the game is yours now.");
      }
      clearInterval(this.timer);
      this.timer = 0;
      return;
    }
    if (bar.hidden) {
      bar.hidden = false;
      applyZoom();
    }
    updateHint();
    const speed = Module._web_replay_speed();
    for (const button of bar.querySelectorAll("button[data-speed]"))
      button.setAttribute("aria-pressed", String(Number(button.dataset.speed) === speed));
    document.getElementById("watch-pause").setAttribute("aria-pressed", String(Module._web_paused() === 1));
    document.getElementById("watch-progress").textContent =
      `Replay: tick ${Module._web_tick().toLocaleString("en-US")} of ${
        Module._web_replay_end_tick().toLocaleString("en-US")}`;
    document.getElementById("watch-skip").disabled = this.skipping !== null;
    if (!this.timer) this.timer = setInterval(() => this.update(), 250);
  },
  wire() {
    const bar = this.element();
    document.getElementById("watch-pause").addEventListener("click", () => controls.togglePause());
    for (const button of bar.querySelectorAll("button[data-speed]")) {
      button.addEventListener("click", () => {
        Module._web_set_replay_speed(Number(button.dataset.speed));
        this.update();
      });
    }
    document.getElementById("watch-skip").addEventListener("click", (event) => {
      event.currentTarget.blur();
      this.skip();
    });
  },
  // Skips to where watching ends, a slice at a time, with its progress and
  // a Cancel. Resolves to the milliseconds it took, or null if cancelled.
  async skip() {
    if (this.skipping || !page.started || page.ended) return null;
    const skipping = { cancelled: false };
    this.skipping = skipping;
    const begin = performance.now();
    const from = Module._web_tick();
    const to = Module._web_replay_end_tick();
    progress.show("Skipping to the end…", () => {
      skipping.cancelled = true;
    });
    this.update();
    let shown = 0;
    while (Module._web_skip_step(kSkipSliceMs)) {
      // The progress is redrawn a few times a second, not at every slice.
      if (performance.now() - shown > 250) {
        shown = performance.now();
        progress.set((Module._web_tick() - from) / Math.max(1, to - from));
      }
      await nextTask();
      if (skipping.cancelled || page.ended) {
        Module._web_skip_cancel();
        break;
      }
    }
    progress.hide();
    this.skipping = null;
    page.lastSkipMs = skipping.cancelled ? null : performance.now() - begin;
    this.update();
    return page.lastSkipMs;
  },
};

// --- Sharing: the game as a link --------------------------------------------

function toBase64Url(bytes) {
  return toBase64(bytes).replace(/\+/g, "-").replace(/\//g, "_").replace(/=+$/, "");
}

// The link that replays the game played so far, from tick 0.
async function replayLink() {
  const script = Module.UTF8ToString(Module._web_share_script());
  const packed = new Blob([script]).stream().pipeThrough(new CompressionStream("deflate-raw"));
  const bytes = new Uint8Array(await new Response(packed).arrayBuffer());
  return location.origin + location.pathname + "#play=" + toBase64Url(bytes);
}

const shareBox = {
  element: () => document.getElementById("share-box"),
  open() {
    return !this.element().hidden;
  },
  // Gives the keyboard back to the game.
  close() {
    if (!this.open()) return;
    this.element().hidden = true;
    if (document.activeElement instanceof HTMLElement) document.activeElement.blur();
  },
  wire() {
    document.getElementById("share-close").addEventListener("click", () => this.close());
    this.element().addEventListener("keydown", (event) => {
      if (event.key === "Escape") {
        event.preventDefault();
        event.stopPropagation();
        this.close();
      }
    });
    // A tap or click anywhere else closes it.
    window.addEventListener("pointerdown", (event) => {
      if (this.open() && !this.element().contains(event.target) && event.target.id !== "share") this.close();
    }, true);
  },
};

async function share() {
  if (!page.started) return;
  if (shareBox.open()) {
    shareBox.close();
    return;
  }
  const link = await replayLink();
  const box = shareBox.element();
  const field = document.getElementById("share-link");
  field.value = link;
  box.hidden = false;
  let copied = false;
  try {
    await navigator.clipboard.writeText(link);
    copied = true;
  } catch (error) {
    // No clipboard here: the link stays shown to copy by hand.
  }
  document.getElementById("share-label").textContent = copied ? "Replay link (copied)" : "Replay link";
  field.focus();
  field.select();
  page.sharedLink = link;
  return link;
}

// A message for the player that does not end the game.
function showStatus(message) {
  const status = document.getElementById("status");
  status.textContent = message;
  status.hidden = false;
}

// --- Sound: one cue at a time, started by the first gesture ------------

// Every cue sounds through one gain, the settings' sound and volume.
const audio = { context: null, gain: null, buffers: new Map(), playing: null, cuesStarted: 0, lastCue: "" };

// Browsers let a page sound only after a key press or click. The module
// hands every sound over then, ahead of any cue, so that playing one never
// waits.
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
  audio.gain = audio.context.createGain();
  audio.gain.gain.value = controls.state.gain;
  audio.gain.connect(audio.context.destination);
  Module._web_prepare_sounds();
}

// The module's samples, as it resolved them (the file's, or the stand-in
// beep), made into an audio buffer once. Interleaved little-endian: format
// 0 is unsigned 8-bit, 1 signed 16-bit, 2 signed 32-bit, 3 32-bit float.
// The page's files never change while it is open, so a sound's name and
// layout name its buffer.
function audioBuffer(name, bytes, rate, channels, format) {
  const key = [name, bytes.length, rate, channels, format].join(" ");
  let buffer = audio.buffers.get(key);
  if (buffer) return buffer;
  const width = [1, 2, 4, 4][format];
  const frames = Math.floor(bytes.length / (width * channels));
  if (!audio.context || frames === 0) return null;
  try {
    buffer = audio.context.createBuffer(channels, frames, rate);
  } catch (error) {
    return null;  // a rate or channel count Web Audio does not take
  }
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  const read = [(at) => (view.getUint8(at) - 128) / 128, (at) => view.getInt16(at, true) / 32768,
                (at) => view.getInt32(at, true) / 2147483648, (at) => view.getFloat32(at, true)][format];
  for (let channel = 0; channel < channels; ++channel) {
    const out = buffer.getChannelData(channel);
    for (let i = 0; i < frames; ++i) out[i] = read((i * channels + channel) * width);
  }
  audio.buffers.set(key, buffer);
  return buffer;
}

Module.marobelPrepareSound = (name, bytes, rate, channels, format) => {
  audioBuffer(name, bytes, rate, channels, format);
};

// The module stops the cue playing and starts the next (the cabinet's one
// voice is its rule). A cue asked for before the first gesture is not heard.
Module.marobelStopCue = () => {
  if (!audio.playing) return;
  try {
    audio.playing.stop();
  } catch (error) {
    // already ended
  }
  audio.playing = null;
};
Module.marobelStartCue = (name, bytes, rate, channels, format) => {
  const context = audio.context;
  const buffer = context && audioBuffer(name, bytes, rate, channels, format);
  if (!buffer) return;
  const source = context.createBufferSource();
  source.buffer = buffer;
  source.connect(audio.gain);
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
  submenu: null,  // the open submenu's title, within it

  titles() {
    return Array.from(document.querySelectorAll(".menu-title"));
  },
  // The items the keys work on: the open submenu's, else the menu's own.
  items() {
    const list = this.submenu ? this.submenu.nextElementSibling : this.open.querySelector(".menu-items");
    return Array.from(list.querySelectorAll(":scope > .menu-item, :scope > .submenu > .menu-item"))
      .filter((item) => !item.disabled);
  },
  show(menu) {
    this.close();
    if (page.ended || !menu) return;
    controls.markMenus();
    const list = menu.querySelector(".menu-items");
    list.hidden = false;
    // Fixed, so that the menu bar, which scrolls when narrow, does not cut
    // it off: placed under its title wherever the window has moved.
    const title = menu.querySelector(".menu-title").getBoundingClientRect();
    list.style.left = title.left + "px";
    list.style.top = title.bottom + "px";
    const placed = list.getBoundingClientRect();
    list.style.left = 2 * title.left - placed.left + "px";
    list.style.top = 2 * title.bottom - placed.top + "px";
    menu.querySelector(".menu-title").setAttribute("aria-expanded", "true");
    this.open = menu;
    this.items()[0]?.focus();
  },
  closeSubmenu() {
    if (!this.submenu) return;
    this.submenu.nextElementSibling.hidden = true;
    this.submenu.setAttribute("aria-expanded", "false");
    const title = this.submenu;
    this.submenu = null;
    title.focus();
  },
  toggleSubmenu(title) {
    const opening = title !== this.submenu;
    this.closeSubmenu();
    if (!opening) return;
    title.nextElementSibling.hidden = false;
    title.setAttribute("aria-expanded", "true");
    this.submenu = title;
    this.items()[0]?.focus();
  },
  close() {
    if (!this.open) return;
    this.closeSubmenu();
    this.open.querySelector(".menu-items").hidden = true;
    this.open.querySelector(".menu-title").setAttribute("aria-expanded", "false");
    this.open = null;
    if (document.activeElement instanceof HTMLElement) document.activeElement.blur();
  },
  choose(item) {
    if (item.classList.contains("submenu-title")) this.toggleSubmenu(item);
    else controls.run(Number(item.dataset.command));
  },
  // Keys of an open menu (mnemonics, Enter, Escape, arrows) and the Alt
  // mnemonics that open one. Returns true for a key the menus took.
  handleKey(event) {
    const letter = event.key.length === 1 ? event.key.toLowerCase() : "";
    if (this.open) {
      event.preventDefault();
      const items = this.items();
      const at = items.indexOf(document.activeElement);
      if (event.key === "Escape") {
        if (this.submenu) this.closeSubmenu();
        else this.close();
      } else if (event.key === "ArrowDown" || event.key === "ArrowUp") {
        items[(at + (event.key === "ArrowDown" ? 1 : items.length - 1)) % items.length]?.focus();
      } else if (event.key === "ArrowRight" && items[at]?.classList.contains("submenu-title")) {
        this.toggleSubmenu(items[at]);
      } else if (event.key === "ArrowLeft" && this.submenu) {
        this.closeSubmenu();
      } else if (event.key === "ArrowLeft" || event.key === "ArrowRight") {
        const titles = this.titles();
        const now = titles.indexOf(this.open.querySelector(".menu-title"));
        const next = titles[(now + (event.key === "ArrowRight" ? 1 : titles.length - 1)) % titles.length];
        this.show(next.parentElement);
      } else {
        const item = items.find((candidate) => (event.key === "Enter" && candidate === document.activeElement) ||
                                               candidate.dataset.mnemonic === letter);
        if (item) this.choose(item);
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

// --- Smooth motion: pictures between ticks ---------------------------------

// The tick timer is the module's and never waits for a picture: each
// animation frame asks for the picture of its moment, which the module
// leaves out when it has no time for it before the next tick. A hidden
// page composes nothing.
const pictures = {
  shown: 0,
  costs: [],  // milliseconds of the last pictures shown, for the page's measurements
  frame() {
    requestAnimationFrame(() => pictures.frame());
    if (!page.started || page.ended || document.hidden) return;
    const begin = performance.now();
    if (!Module._web_picture()) return;
    ++pictures.shown;
    if (pictures.costs.length >= 4096) pictures.costs.splice(0, 2048);
    pictures.costs.push(performance.now() - begin);
  },
};
requestAnimationFrame(() => pictures.frame());

// --- The About box -----------------------------------------------------

const aboutBox = () => document.getElementById("about");

// Modal over the game, which keeps ticking behind it; the box sits at its
// place from the game area's corner, which the build converts from the
// shell's facts to pixels along with the rest of the box's layout.
function openAbout() {
  const box = aboutBox();
  if (page.ended || box.open) return;
  menus.close();
  const area = document.getElementById("game-view").getBoundingClientRect();
  const layout = getComputedStyle(box);
  const place = (name) => parseFloat(layout.getPropertyValue(name)) || 0;
  box.style.left = Math.max(0, Math.round(area.left + place("--about-place-left"))) + "px";
  box.style.top = Math.max(0, Math.round(area.top + place("--about-place-top"))) + "px";
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

function setLayout(layout, fit, crop) {
  const desk = document.getElementById("desk");
  desk.classList.toggle("lanes-below", layout === "below");
  desk.classList.toggle("lanes-beside", layout === "beside");
  desk.classList.toggle("fit", fit);
  desk.classList.toggle("cropped", !!crop);
  document.getElementById("crop-bar").hidden = !crop;
}

// The part of the game area a layout shows, in game pixels: all of it, or
// on a narrow portrait screen only the cabinet, whose title and credit
// count, drawn left of it, the crop bar repeats.
function shownPart(crop) {
  const game = document.getElementById("game");
  if (!crop) return { left: 0, top: 0, width: game.width, height: game.height };
  const [left, top, width, height] = Module.UTF8ToString(Module._web_cabinet_span()).split(" ").map(Number);
  return { left, top, width, height };
}

// Sizes the canvas to show `part` at `scale` CSS pixels per game pixel,
// the view around it cut to the part.
function sizeGame(part, scale) {
  const game = document.getElementById("game");
  const view = document.getElementById("game-view");
  game.style.width = game.width * scale + "px";
  game.style.height = game.height * scale + "px";
  game.style.marginLeft = -part.left * scale + "px";
  game.style.marginTop = -part.top * scale + "px";
  view.style.width = part.width * scale + "px";
  view.style.height = part.height * scale + "px";
}

// The CSS pixels the shown part may take in a layout: what the page is wide
// and high less everything around it, measured with the part at 1x. At
// fit on a desktop, beside the lanes, the menu bar may scroll out of sight,
// so that a desktop of 800 pixels' height shows the 782 of a 2x game area.
function roomFor(layout, part, crop, menuMayScroll) {
  setLayout(layout, true, crop);
  sizeGame(part, 1);
  const deskElement = document.getElementById("desk");
  deskElement.classList.add("measuring");
  const desk = deskElement.getBoundingClientRect();
  const style = getComputedStyle(deskElement);
  const windowBox = document.getElementById("window").getBoundingClientRect();
  const beside = layout === "beside";
  let aroundWidth = windowBox.width - part.width;
  if (beside) {
    aroundWidth += 2 * parseFloat(style.columnGap) + parseFloat(style.paddingLeft) + parseFloat(style.paddingRight);
    for (const lane of document.querySelectorAll(".lane")) aroundWidth += lane.getBoundingClientRect().width;
  }
  const aroundHeight = (beside ? windowBox.height : desk.height) - part.height -
                       (beside && menuMayScroll ? document.getElementById("menubar").offsetHeight : 0);
  deskElement.classList.remove("measuring");
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
  // A resize may come before the page's scripts and the module are there.
  const game = document.getElementById("game");
  if (!game || !window.MarobelFit || !page.moduleReady) return;
  const ratio = window.devicePixelRatio || 1;
  // A phone held upright shows the cabinet alone, larger.
  const crop = page.touch && page.zoom === "fit" && window.innerHeight > window.innerWidth;
  const part = shownPart(crop);
  let best;
  if (page.zoom === "fit") {
    // Lanes below unless beside them the game area gets more device pixels.
    const options = ["below", "beside"].map((layout) =>
      ({ layout, scale: MarobelFit.deviceScale(roomFor(layout, part, crop, !page.touch), part, ratio) / ratio }));
    best = options[1].scale > options[0].scale ? options[1] : options[0];
  } else {
    // A chosen zoom in CSS pixels, as large as fits up to it: the page
    // never scrolls for it.
    const options = ["below", "beside"].map((layout) => {
      const room = roomFor(layout, part, crop, false);
      const fits = Math.floor(Math.min(room.width / part.width, room.height / part.height) + 1e-6);
      return { layout, scale: Math.max(1, Math.min(Number(page.zoom), fits)) };
    });
    best = options[1].scale > options[0].scale ? options[1] : options[0];
  }
  setLayout(best.layout, page.zoom === "fit", crop);
  page.deviceScale = best.scale * ratio;
  sizeGame(part, best.scale);
  snapToDevicePixels(document.getElementById("game-view"), ratio);
  // The menu bar scrolled out of sight, if it must, shows all of the game.
  window.scrollTo(0, document.documentElement.scrollHeight - window.innerHeight);
  for (const button of document.querySelectorAll("#zoom button"))
    button.setAttribute("aria-pressed", String(button.dataset.zoom === page.zoom));
  placeGameButtons();
}

// "New game…" and Share sit at the end of the menu bar, where they take no
// room from the game area. A bar as narrow as the game area of a phone on
// its side, or of a small one, would scroll them out of sight: they stand
// in the toolbar then, by the hint.
function placeGameButtons() {
  const bar = document.getElementById("menubar");
  const buttons = document.getElementById("game-buttons");
  if (!bar || !buttons) return;
  bar.append(buttons);
  const fits = bar.scrollWidth <= bar.clientWidth + 1;
  if (!fits) document.getElementById("toolbar").prepend(buttons);
  buttons.classList.toggle("in-toolbar", !fits);
}

// The crop bar's title and credit count follow the game's.
// Called at every picture: the text is made again only when the credits or
// the title changed.
const cropBarShows = { credits: undefined, title: undefined };
function updateCropBar() {
  const bar = document.getElementById("crop-bar");
  if (bar.hidden || !page.moduleReady) return;
  const credits = Module._web_credits();
  if (credits === cropBarShows.credits && document.title === cropBarShows.title) return;
  cropBarShows.credits = credits;
  cropBarShows.title = document.title;
  const text = `${document.title} · ${credits.toLocaleString("en-US")} credits`;
  if (bar.textContent !== text) bar.textContent = text;
}

// --- The end of the game -----------------------------------------------

function endGame(message) {
  if (!page.ended) {
    page.ended = true;
    menus.close();
    closeAbout(2);
    Module._web_exit();
    storage.save();
  }
  showStatus(message);
}

// --- Input: the one way into the game ------------------------------------

// Every key-down the game gets, from the keyboard, a lane control, a tap on
// the cabinet or a gamepad, goes through here, between two ticks.
function deliverKey(virtualKey) {
  unlockAudio();
  if (!page.started || page.ended) return 0;
  const delivered = Module._web_key_down(virtualKey);
  // Watching: the hint says when the game becomes the player's.
  if (!delivered && Module._web_replay_running() === 1) {
    const hint = document.getElementById("hint");
    hint.classList.remove("nudged");
    void hint.offsetWidth;  // restarts the animation
    hint.classList.add("nudged");
  }
  return delivered;
}

// What the hint line says depends on how this device plays.
function updateHint() {
  const hint = document.getElementById("hint");
  if (page.started && !page.ended && Module._web_replay_running() === 1) {
    hint.textContent = `Watching: you can play after tick ${Module._web_replay_end_tick().toLocaleString("en-US")}`;
    return;
  }
  hint.classList.remove("nudged");
  const parts = page.touch
    ? ["tap ← → or the cabinet's left or right half to drop a coin", "sound starts with your first tap"]
    : ["← → drop a coin", "Alt+? version", "sound starts with your first key"];
  if (MarobelGamepad.seen()) parts.splice(1, 0, "gamepad: d-pad or shoulder buttons");
  hint.textContent = parts.join(" · ");
}

// --- Keys --------------------------------------------------------------

// Keys that would scroll the page or move the focus instead.
const keptFromBrowser = new Set([0x09, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28]);

function onKeyDown(event) {
  unlockAudio();
  if (!page.started || page.ended) return;
  if (aboutBox().open || document.getElementById("ask").open) return;  // modal: its own keys only
  if (startPanel.open() || event.target instanceof HTMLInputElement) return;  // its own keys
  if (menus.handleKey(event)) return;
  if (MarobelKeys.isAboutAccelerator(event)) {
    event.preventDefault();
    openAbout();
    return;
  }
  const virtualKey = MarobelKeys.virtualKeyFor(event.code, event.key);
  // The shell's own keys (pause, sound, a new game, full screen) never
  // reach the game; held down, they act once.
  const command = virtualKey ? Module._web_command_for_key(virtualKey, event.ctrlKey ? 1 : 0, event.altKey ? 1 : 0) : 0;
  if (command) {
    event.preventDefault();
    if (!event.repeat) controls.run(command);
    return;
  }
  if (MarobelKeys.isSystemKey(event)) return;
  // Every key-down, auto-repeats included; the game picks the keys it uses.
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
  for (const button of document.querySelectorAll("#zoom button")) {
    button.addEventListener("click", () => {
      const zoom = button.dataset.zoom;
      if (page.moduleReady) controls.run(zoom === "fit" ? controls.command("Fit") : Number(controls.fact("CommandScale").split(" ")[Number(zoom) - 1]));
      else page.zoom = zoom;
      applyZoom();
      button.blur();  // arrow keys belong to the game, not to the buttons
    });
  }
  controls.wire();
  wireAbout();
  startPanel.wire();
  watchBar.wire();
  shareBox.wire();
  progress.wire();
  updates.wire();
  document.getElementById("share").addEventListener("click", (event) => {
    event.currentTarget.blur();
    share();
  });
  applyZoom();
});
document.addEventListener("visibilitychange", () => {
  if (document.visibilityState === "hidden") keepGameNow();
  controls.pageHidden();
});
window.addEventListener("pagehide", keepGameNow);
// A replay link opened where the page already is changes only the
// address's fragment: the page starts again to play it.
window.addEventListener("hashchange", () => {
  if (location.hash.startsWith("#play=")) location.reload();
});
// The record is written press by press, with a marker every 2 s of play:
// handed to the browser as often, a closed tab loses at most that.
setInterval(() => {
  if (page.started && !page.ended) storage.save();
}, 2000);

// Installed, the page plays offline: the service worker keeps this build's
// files (the build names them and its version in sw.js).
// Registered once the first frame is shown: its installation fetches the
// whole build again, which must not delay the game's start.
page.registerWorker = () => {
  if (page.workerRegistered || !("serviceWorker" in navigator) || location.protocol === "file:") return;
  page.workerRegistered = true;
  setTimeout(() => {
    // A browser told to block workers may answer with no registration.
    navigator.serviceWorker.register("sw.js").then((registration) => registration && updates.watch(registration),
                                                   (error) => console.warn("offline play unavailable:", error));
  }, 500);
};

// A page waiting on its start choices shows no frame for a while.
window.addEventListener("load", () => setTimeout(page.registerWorker, 3000));

// A new build's worker, installed, waits while this build's page is open:
// the player is told, and reloads into the new build when they choose. An
// installed page may stay open for days; it looks for a new build hourly.
const updates = {
  waiting: null,
  watch(registration) {
    const offer = () => {
      if (registration.waiting && navigator.serviceWorker.controller) this.offer(registration.waiting);
    };
    // The browser looks for a new build as the page loads: its worker may be
    // installing already, or installed.
    const follow = (worker) => worker?.addEventListener("statechange", offer);
    offer();
    follow(registration.installing);
    registration.addEventListener("updatefound", () => follow(registration.installing));
    setInterval(() => registration.update().catch(() => {}), 3600 * 1000);
  },
  offer(worker) {
    this.waiting = worker;
    document.getElementById("update-bar").hidden = false;
  },
  // The new worker takes over, then the page loads again from its cache;
  // the game is kept as the page goes, as at any reload.
  reload() {
    if (!this.waiting || this.waiting.state === "redundant" || this.waiting.state === "activated") {
      location.reload();
      return;
    }
    navigator.serviceWorker.addEventListener("controllerchange", () => location.reload());
    this.waiting.postMessage("take over");
  },
  wire() {
    document.getElementById("update-reload").addEventListener("click", () => this.reload());
  },
};

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
  // Pictures shown between ticks, and what the latest ones cost in ms.
  pictures: () => ({ shown: pictures.shown, costs: [...pictures.costs] }),
  smooth: () => page.smooth,
  // The shell's controls: the player's pause, the gain every sound goes
  // through (null before the first gesture), the menus' language.
  paused: () => Module._web_paused() === 1,
  gain: () => (audio.gain ? audio.gain.gain.value : null),
  language: () => controls.state.language,
  layout: () => ({ deviceScale: page.deviceScale, touch: page.touch, zoom: page.zoom,
                   beside: document.getElementById("desk").classList.contains("lanes-beside") }),
  // With ?trace: the key record and the trace of the page's game so far.
  session: () => ({ record: FS.readFile(Module.UTF8ToString(Module._web_record_file()), { encoding: "utf8" }),
                    trace: FS.readFile(kSessionTrace, { encoding: "utf8" }) }),
  // With ?trace: the trace of the game being played, in the headless
  // runner's format, whichever way it started (new, continued, free play,
  // watched, taken over); a continued game's starts at the tick it resumed.
  trace: () => (page.tracing ? FS.readFile(kSessionTrace, { encoding: "utf8" }) : null),
  mode: () => page.mode,
  tick: () => Module._web_tick(),
  notice: () => Module.UTF8ToString(Module._web_notice()),
  watching: () => Module._web_replay_running() === 1,
  replayEndTick: () => Module._web_replay_end_tick(),
  // Skips the watched replay to where watching ends; resolves to the
  // milliseconds it took (null if cancelled).
  skipToEnd: () => watchBar.skip(),
  cancelSkip: () => progress.onCancel && progress.onCancel(),
  reading: () => document.getElementById("progress")?.hidden === false,
  linkReadAt: () => page.linkRead ?? { start: 0, end: 0 },
  shareLink: () => replayLink(),
  keepNow: () => keepGameNow(),
  storageSynced: () => !storage.syncing,
  audio: () => ({
    unlocked: audio.context !== null,
    state: audio.context ? audio.context.state : "none",
    decoded: audio.buffers.size,
    sounds: page.soundNames.length,
    cuesStarted: audio.cuesStarted,
    lastCue: audio.lastCue,
    // Seconds of each sound as it plays: the file's, or the stand-in's.
    seconds: Object.fromEntries([...audio.buffers].map(([key, buffer]) => [key.split(" ")[0], buffer.duration])),
  }),

  // Plays a key script from the creation reset for `ticks` ticks and
  // returns the trace lines, tick 0 first. Ends the page's own game.
  // flags: 1 adds each tick's drawing calls, 2 shows the frames, 4 plays
  // the sounds.
  runScript(script, ticks, credits = -1, flags = 0) {
    const error = Module.UTF8ToString(withModuleText(script, (text) => Module._web_script_start(text, credits, flags)));
    if (error) throw new Error("key script " + error);
    endGame("A scripted test run has replaced the game. Reload the page to play again.");
    const lines = [Module.UTF8ToString(Module._web_script_line())];
    for (let tick = 1; tick <= ticks; ++tick) lines.push(Module.UTF8ToString(Module._web_script_step(1)));
    return lines;
  },

  // Times each tick of a scripted game with its frame shown on the page,
  // in milliseconds. Ends the page's own game.
  timeScript(script, ticks, credits = -1) {
    const error = Module.UTF8ToString(withModuleText(script, (text) => Module._web_script_start(text, credits, 2)));
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
