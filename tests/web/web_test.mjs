// Plays the browser build in Debian's headless chromium and checks it as a
// player and as the runner's contract see it: the page and its menus, the
// pixels of the game area, ticking, keys and credits, the About box, the
// exit command, zoom, a missing picture, and the same game as marobel-sim
// tick for tick; smooth motion between ticks (smooth_checks.mjs); then as a
// phone plays it (phone_checks.mjs), installed and updated
// (pwa_checks.mjs), and the game kept, continued, watched and shared
// (kept_and_shared_checks.mjs). Prints the page's size, memory,
// tick times and pictures between ticks, also on a throttled CPU.
//
//   node web_test.mjs --site DIR --sim MAROBEL_SIM --assets DIR --out DIR
import { execFileSync } from "node:child_process";
import { mkdirSync, readFileSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { parseArgs } from "node:util";
import { chromium } from "playwright-core";

import { sameGameScripts, timingScript } from "./key_scripts.mjs";
import { checkControls } from "./control_checks.mjs";
import { checkHostileLinks, checkKeptAndShared, checkReplayLinks } from "./kept_and_shared_checks.mjs";
import { checkLinkSizes, checkLongSkips, checkPhoneLoads, checkPhoneWatching } from "./link_checks.mjs";
import { checkDesktopFit, checkOffline, checkPhone, measureThrottled } from "./phone_checks.mjs";
import { countPixels, decodePng, firstDifference } from "./png_pixels.mjs";
import { checkInstallAndUpdate } from "./pwa_checks.mjs";
import { checkSmoothMotion } from "./smooth_checks.mjs";
import { serveSite } from "./static_server.mjs";

const { values: options } = parseArgs({
  options: {
    site: { type: "string" },
    sim: { type: "string" },
    assets: { type: "string" },
    out: { type: "string" },
    // "controls": the shell's controls alone, while they are worked on;
    // "links" the replay links' checks, "pwa" the installed page's.
    only: { type: "string" },
    chromium: { type: "string", default: process.env.CHROMIUM || "/usr/bin/chromium" },
  },
});
for (const name of ["site", "sim", "assets", "out"])
  if (!options[name]) throw new Error(`--${name} is required`);
mkdirSync(options.out, { recursive: true });

const kGameTicks = 2000;
const kPageBudgetBytes = 3_000_000;
const kMemoryBudgetBytes = 64 * 1024 * 1024;
const kArea = { width: 384, height: 391 };
const kTextBandWidth = 100;  // the cabinet starts at x 100; the texts stand left of it

let failures = 0;
function check(name, ok, detail = "") {
  console.log(`${ok ? "ok  " : "FAIL"} ${name}${detail ? ": " + detail : ""}`);
  if (!ok) ++failures;
  return ok;
}
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function runSim(args) {
  return execFileSync(options.sim, ["--assets", options.assets, ...args], { maxBuffer: 1 << 30 }).toString();
}

// The frame marobel-sim composes after `ticks` ticks of `script`.
function nativeFrame(name, script, ticks, credits = -1) {
  const keys = join(options.out, `${name}.keys`);
  const frames = join(options.out, `${name}-frames`);
  writeFileSync(keys, script);
  const creditArgs = credits >= 0 ? ["--credits", String(credits)] : [];
  runSim(["--ticks", String(ticks), "--keys", keys, "--frames", frames, "--trace", "/dev/null", ...creditArgs]);
  return decodePng(readFileSync(join(frames, `frame-${String(ticks).padStart(6, "0")}.png`)));
}

async function shot(page, selector, file) {
  const bytes = await page.locator(selector).screenshot({ path: join(options.out, file) });
  return decodePng(bytes);
}

const isYellow = ([r, g, b]) => r === 255 && g === 255 && b === 0;
const isWhite = ([r, g, b]) => r >= 200 && g >= 200 && b >= 200;

async function openPage(browser, server, routes = {}) {
  // Without the service worker, whose caching would load every file twice;
  // in Japanese, as the desktop game speaks.
  const context = await browser.newContext({ viewport: { width: 1280, height: 960 }, deviceScaleFactor: 1,
                                             locale: "ja-JP", serviceWorkers: "block" });
  const page = await context.newPage();
  const errors = [];
  page.on("console", (message) => {
    if (message.type() === "error" && !/Service Worker registration blocked/.test(message.text())) errors.push(message.text());
  });
  page.on("pageerror", (error) => errors.push("uncaught: " + error.message));
  for (const [pattern, status] of Object.entries(routes))
    await page.route(pattern, (route) => route.fulfill({ status, body: "" }));
  await page.goto(server.url);
  await page.waitForFunction(() => window.marobelPage?.ready() && marobelPage.framesShown() >= 1, null,
                             { timeout: 15000 });
  // The pixel checks compare the game area at 1x; every page starts at fit.
  const zoom = await page.evaluate(() => marobelPage.layout().zoom);
  if (zoom !== "fit") throw new Error(`the page starts at zoom ${zoom}, not fit`);
  await page.click('#zoom button[data-zoom="1"]');
  return { page, errors };
}

async function checkPageAndPixels(page) {
  check("title", (await page.title()) === "Marobel ～Orvik～", await page.title());
  const labels = await page.$$eval(["file-menu", "new-game-item", "exit-item", "view-menu", "smooth-item",
                                     "help-menu", "about-item"].map((id) => "#" + id).join(),
                                    (all) => all.map((element) => element.dataset.label));
  check("menus and items", JSON.stringify(labels) === JSON.stringify(
    ["ﾌｧｲﾙ(&F)", "新しいｹﾞｰﾑ(&N)", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "ﾋﾞｭｰ(&V)", "ｽﾑｰｽﾞﾓｰｼｮﾝ(&M)", "ﾍﾙﾌﾟ(&H)",
     "ﾊﾞｰｼﾞｮﾝ情報(&A) ..."]), labels.join(" | "));

  const first = await shot(page, "#game", "game-1x.png");
  check("game area size", first.width === kArea.width && first.height === kArea.height,
        `${first.width}x${first.height}`);
  // The cabinet's pillars lie where nothing moves: there the page must
  // show exactly the native frame's pixels.
  const native = nativeFrame("no-keys", "", 1);
  const pillars = [[101, 20, 126, 140], [292, 20, 316, 140]];
  const pillarDifference = pillars.map(([x0, y0, x1, y1]) => firstDifference(first, native, x0, y0, x1, y1))
                                  .find(Boolean);
  check("cabinet colours equal the native frame's", !pillarDifference, JSON.stringify(pillarDifference));
  const yellow = countPixels(first, 120, 60, 300, 140, isYellow);
  check("yellow lottery cursor", yellow >= 20, `${yellow} yellow pixels`);
  const white = countPixels(first, 0, 0, kTextBandWidth, 80, isWhite);
  check("white text in the left band", white >= 15, `${white} white pixels`);

  const ticksBefore = await page.evaluate(() => marobelPage.ticksRun());
  await sleep(700);
  const later = await shot(page, "#game", "game-1x-later.png");
  const ticksAfter = await page.evaluate(() => marobelPage.ticksRun());
  check("the game ticks", ticksAfter >= ticksBefore + 2 &&
        firstDifference(first, later, 0, 0, kArea.width, kArea.height) !== null,
        `${ticksAfter - ticksBefore} ticks in 700 ms, pixels changed`);
}

const lastKey = (page) => page.evaluate(() => marobelPage.lastKey());

async function checkKeys(page) {
  await page.waitForFunction(() => marobelPage.credits() > 0, null, { timeout: 30000 });
  for (const [key, code] of [["ArrowRight", 0x27], ["ArrowLeft", 0x25]]) {
    const before = await lastKey(page);
    await page.keyboard.press(key);
    const after = await lastKey(page);
    check(`${key} spends one credit`, after.delivered === before.delivered + 1 && after.virtualKey === code &&
          after.creditsAfter === after.creditsBefore - 1,
          `key 0x${after.virtualKey.toString(16)}, credits ${after.creditsBefore} -> ${after.creditsAfter}`);
  }

  // The desktop's virtual-key codes; Alt combinations and F10 are the
  // menu's, not the game's.
  const table = [
    ["KeyA", 0x41], ["Digit7", 0x37], ["Space", 0x20], ["Enter", 0x0d], ["Escape", 0x1b], ["Slash", 0xbf],
    ["Backquote", 0xc0], ["F2", 0x71], ["NumpadAdd", 0x6b], ["Shift", 0x10],
    ["Home", 0x24], ["Alt+KeyQ", null], ["F10", null], ["Alt", null],
  ];
  const wrong = [];
  for (const [key, code] of table) {
    const before = await lastKey(page);
    await page.keyboard.press(key);
    const after = await lastKey(page);
    const delivered = after.delivered - before.delivered;
    if (code === null ? delivered !== 0 : delivered !== 1 || after.virtualKey !== code)
      wrong.push(`${key}: ${delivered} delivered, last 0x${after.virtualKey.toString(16)}`);
  }
  check("virtual-key codes of the desktop", wrong.length === 0, wrong.join("; ") || `${table.length} keys`);

  const before = await lastKey(page);
  await page.keyboard.down("KeyB");
  await page.keyboard.down("KeyB");  // held: an auto-repeat
  await page.keyboard.down("KeyB");
  await page.keyboard.up("KeyB");
  const after = await lastKey(page);
  check("auto-repeats reach the game", after.delivered === before.delivered + 3 && after.virtualKey === 0x42,
        `${after.delivered - before.delivered} key-downs`);
}

async function checkAbout(page) {
  const aboutState = () => page.evaluate(() => ({
    open: marobelPage.aboutOpen(),
    dialog: document.getElementById("about").open,
    focus: document.activeElement?.id,
    frames: marobelPage.aboutFramesShown(),
    ticks: marobelPage.ticksRun(),
    keys: marobelPage.lastKey().delivered,
  }));
  const aboutLayout = () => page.evaluate(() => {
    const [game, box, client, ...controls] = ["#game", "#about", "#about .client", "#about-icon", "#about-text",
      "#about-ok"].map((selector) => document.querySelector(selector).getBoundingClientRect());
    return { place: [box.left - game.left, box.top - game.top], boxes: [client, ...controls].map((r) =>
      [r.left - client.left, r.top - client.top, r.width, r.height].join()).join(" ") };
  });
  const ways = [
    ["Alt+/", "Escape"],
    ["Alt+?", "Enter"],
    ["menu", "OK"],
  ];
  for (const [open, close] of ways) {
    if (open === "menu") {
      await page.click("#help-menu");
      await page.click("#about-item");
    } else {
      await page.keyboard.press(open);
    }
    const opened = await aboutState();
    const layout = await aboutLayout();
    await sleep(500);
    await page.keyboard.press("ArrowRight");  // stays with the box
    const meanwhile = await aboutState();
    const band = await page.evaluate(() => Array.from(
      document.getElementById("about-band").getContext("2d").getImageData(10, 10, 1, 1).data));
    if (close === "OK") await page.click("#about-ok");
    else await page.keyboard.press(close);
    const closed = await aboutState();
    check(`About by ${open}, closed by ${close}`,
          opened.open && opened.dialog && opened.focus === "about-ok" && !closed.open && !closed.dialog,
          `open ${opened.open}/${opened.dialog}, focus ${opened.focus}, closed ${!closed.open && !closed.dialog}`);
    // The desktop box's dialog units in pixels: its place from the game
    // area's corner (rounded there), then the client area and its controls.
    check(`About by ${open}: at its place, laid out as on the desktop`,
          Math.abs(layout.place[0] - 33) <= 0.5 && Math.abs(layout.place[1] - 28) <= 0.5 &&
          layout.boxes === "0,0,345,122 24,83,32,32 74,78,205,13 282,89,45,18", JSON.stringify(layout));
    check(`About by ${open}: band repainted, game ticking, keys kept`,
          meanwhile.frames - opened.frames >= 4 && meanwhile.ticks >= opened.ticks + 1 &&
          meanwhile.keys === opened.keys && band.join() === "0,0,0,255",
          `${meanwhile.frames - opened.frames} band frames and ${meanwhile.ticks - opened.ticks} ticks in 500 ms`);
  }
  const texts = await page.evaluate(() => ({
    caption: document.getElementById("about-caption").textContent,
    text: document.getElementById("about-text").textContent,
    ok: document.getElementById("about-ok").textContent,
    icon: document.getElementById("about-icon").width,
    iconFile: document.getElementById("about-icon").naturalWidth,
  }));
  check("About texts and icon", texts.caption === "ﾊﾞｰｼﾞｮﾝ情報" && texts.text === "Marobel ～Orvik～ Version 1.0" &&
        texts.ok === "OK" && texts.icon === 32 && texts.iconFile >= 32, JSON.stringify(texts));
}

async function checkExitAndZoom(page) {
  await page.keyboard.press("Alt+F");
  const menuOpen = await page.evaluate(() => document.getElementById("file-menu").getAttribute("aria-expanded"));
  await page.keyboard.press("x");
  const ended = await page.evaluate(() => ({ running: marobelPage.gameRunning(), ticks: marobelPage.ticksRun(),
                                             status: document.getElementById("status").textContent }));
  const stopped = await shot(page, "#game", "game-ended-1x.png");
  await sleep(600);
  const still = await shot(page, "#game", "game-ended-1x-later.png");
  const ticks = await page.evaluate(() => marobelPage.ticksRun());
  check("exit by Alt+F, X stops the game", menuOpen === "true" && !ended.running && ticks === ended.ticks &&
        !firstDifference(stopped, still, 0, 0, kArea.width, kArea.height) && /ended/.test(ended.status),
        `"${ended.status}"`);

  // Whole pixels: every pixel of the 1x frame becomes a solid block, on a
  // screen with room for 3x.
  await page.setViewportSize({ width: 1600, height: 1400 });
  for (const scale of [2, 3]) {
    await page.click(`#zoom button[data-zoom="${scale}"]`);
    const zoomed = await shot(page, "#game", `game-${scale}x.png`);
    let wrong = zoomed.width === kArea.width * scale && zoomed.height === kArea.height * scale ? 0 : -1;
    for (let y = 0; wrong === 0 && y < zoomed.height; ++y)
      for (let x = 0; x < zoomed.width; ++x) {
        const p = zoomed.at(x, y), q = stopped.at(Math.floor(x / scale), Math.floor(y / scale));
        if (p[0] !== q[0] || p[1] !== q[1] || p[2] !== q[2]) ++wrong;
      }
    check(`zoom ${scale}x is nearest-neighbour`, wrong === 0, `${zoomed.width}x${zoomed.height}, ${wrong} pixels off`);
  }
  await page.click('#zoom button[data-zoom="fit"]');
  const fit = await page.locator("#game").boundingBox();
  check("zoom fit scales by whole pixels", fit.width % kArea.width === 0 && fit.width / kArea.width ===
        fit.height / kArea.height, `${fit.width}x${fit.height}`);
  await page.click('#zoom button[data-zoom="1"]');
  await page.setViewportSize({ width: 1280, height: 960 });
  await page.screenshot({ path: join(options.out, "page.png") });
}

async function checkSameGame(page) {
  for (const game of sameGameScripts(kGameTicks)) {
    const keys = join(options.out, `${game.name}.keys`);
    writeFileSync(keys, game.script);
    const args = ["--ticks", String(kGameTicks), "--keys", keys, "--trace", "-"];
    if (game.credits >= 0) args.push("--credits", String(game.credits));
    if (game.draws) args.push("--draws");
    const native = runSim(args).split("\n").filter(Boolean);
    const browser = await page.evaluate(([script, ticks, credits, flags]) =>
      marobelPage.runScript(script, ticks, credits, flags), [game.script, kGameTicks, game.credits, game.draws ? 1 : 0]);
    let first = -1;
    for (let i = 0; i < Math.max(native.length, browser.length) && first < 0; ++i)
      if (native[i] !== browser[i]) first = i;
    const where = first < 0 ? "" : `\n  native:  ${String(native[first]).slice(0, 300)}\n  browser: ${String(browser[first]).slice(0, 300)}`;
    check(`same game as marobel-sim: ${game.name}${game.draws ? " with drawing calls" : ""}`,
          first < 0 && native.length === kGameTicks + 1,
          first < 0 ? `${native.length} lines equal` : `first difference at line ${first}${where}`);
    if (game.name === "rich") {
      const text = browser.join("\n");
      const cues = ["stop.wav", "magic.wav", "cl.wav"];
      check("the rich game has coin, magic and sweeper prizes", cues.every((cue) => text.includes(cue)) &&
            /"pending":[1-9]/.test(text), cues.map((cue) => `${cue} ${text.split(cue).length - 1}x`).join(", "));
      const memory = await page.evaluate(() => marobelPage.memoryBytes());
      check("WebAssembly memory after the rich game", memory <= kMemoryBudgetBytes, `${(memory / 2 ** 20).toFixed(1)} MB`);
    }
  }

  // Sound: the key presses have let the page sound and every wave is
  // decoded; each cue of a scripted game then starts on the page, in turn.
  await page.waitForFunction(() => marobelPage.audio().decoded === marobelPage.audio().sounds, null,
                             { timeout: 10000 }).catch(() => {});
  const rich = sameGameScripts(300)[2];
  const sound = await page.evaluate(([script]) => {
    const before = marobelPage.audio().cuesStarted;
    const lines = marobelPage.runScript(script, 300, 300, 4);
    // One voice: a tick's last cue is the one heard, so it alone is started.
    const heard = lines.map((line) => JSON.parse(line).sounds).filter((cues) => cues.length > 0).map((cues) => cues.at(-1));
    return { ...marobelPage.audio(), started: marobelPage.audio().cuesStarted - before, cues: heard.length,
             last: heard[heard.length - 1] };
  }, [rich.script]);
  check("Web Audio starts every tick's heard cue of the game", sound.unlocked && sound.decoded === 7 && sound.sounds === 7 &&
        sound.cues > 20 && sound.started === sound.cues && sound.lastCue === sound.last,
        `${sound.started} of ${sound.cues} heard cues started, ${sound.decoded} of ${sound.sounds} sounds decoded`);

  // The frame itself: right of the text band, the page's pixels are the
  // native frame's, sprite for sprite (the texts come from different fonts).
  const script = sameGameScripts(120)[2].script;
  await page.evaluate(([s]) => marobelPage.runScript(s, 120, 300, 2), [script]);
  const pageFrame = await shot(page, "#game", "scripted-120.png");
  return { pageFrame, nativeFrame: nativeFrame("scripted", script, 120, 300) };
}

async function measure(page) {
  const times = await page.evaluate(([script]) => marobelPage.timeScript(script, 1000, 200), [timingScript(1000)]);
  const sorted = [...times].sort((a, b) => a - b);
  const memory = await page.evaluate(() => marobelPage.memoryBytes());
  return { median: sorted[500], p90: sorted[900], max: sorted[999], memory };
}

const server = await serveSite(options.site);
const helpers = {
  check, runSim, out: options.out, chromiumPath: options.chromium, site: options.site,
  writeKeys: (name, text) => {
    const file = join(options.out, `${name}.keys`);
    writeFileSync(file, text);
    return file;
  },
  richScript: sameGameScripts(1000)[2].script,
};
const browser = await chromium.launch({ executablePath: options.chromium, args: ["--no-sandbox"] });
try {
  everything: {
  if (options.only === "controls") {
    await checkControls(browser, server, helpers);
    break everything;
  }
  if (options.only === "links") {
    await checkHostileLinks(browser, server, helpers);
    await checkLinkSizes(browser, server, helpers);
    await checkLongSkips(browser, server, helpers);
    break everything;
  }
  if (options.only === "pwa") {
    await checkOffline(server, helpers);
    await checkInstallAndUpdate(helpers);
    break everything;
  }
  const { page, errors } = await openPage(browser, server);
  const firstFrame = await page.evaluate(() => marobelPage.firstFrameAt());
  const loaded = server.served.reduce((sum, file) => sum + file.bytes, 0);
  check("everything the page loads", loaded <= kPageBudgetBytes,
        `${loaded} bytes in ${server.served.length} files`);
  await checkPageAndPixels(page);
  await checkKeys(page);
  await checkAbout(page);
  await checkExitAndZoom(page);
  const { pageFrame, nativeFrame: native } = await checkSameGame(page);
  const difference = firstDifference(pageFrame, native, kTextBandWidth, 0, kArea.width, kArea.height);
  check("a scripted frame equals marobel-sim's right of the texts", !difference, JSON.stringify(difference));
  const numbers = await measure(page);
  check("no console errors", errors.length === 0, errors.join(" | "));

  // A picture the server does not have: the game goes on, drawing it by
  // the missing-file rules (the pusher table becomes its white mask).
  const missing = await openPage(browser, server, { "**/assets/bar.bmp": 404 });
  await missing.page.waitForFunction(() => marobelPage.framesShown() >= 3, null, { timeout: 5000 });
  const withoutBar = await shot(missing.page, "#game", "game-without-bar.png");
  const whiteTable = countPixels(withoutBar, 118, 180, 298, 240, ([r, g, b]) => r === 255 && g === 255 && b === 255);
  const uncaught = missing.errors.filter((text) => !/404|Failed to load resource/.test(text));
  check("a missing picture is drawn by the missing-file rules", whiteTable > 2000 && uncaught.length === 0,
        `${whiteTable} white pixels on the pusher table; ${uncaught.join(" | ")}`);

  // A sound the server does not have: its cues play the one stand-in tone
  // of every shell (150 ms), and nothing is thrown.
  const mute = await openPage(browser, server, { "**/assets/coin.wav": 404 });
  await mute.page.waitForFunction(() => marobelPage.framesShown() >= 3, null, { timeout: 5000 });
  await mute.page.keyboard.press("ArrowRight");
  await mute.page.waitForFunction(() => marobelPage.audio().decoded === 7, null, { timeout: 10000 }).catch(() => {});
  const standIn = await mute.page.evaluate(([s]) => {
    const lines = marobelPage.runScript(s, 300, 300, 4);
    return { ...marobelPage.audio(), coins: lines.filter((line) => line.includes("coin.wav")).length };
  }, [sameGameScripts(300)[2].script]);
  const muteErrors = mute.errors.filter((text) => !/404|Failed to load resource/.test(text));
  check("a missing sound plays the shells' one stand-in tone", standIn.coins > 0 &&
        Math.abs(standIn.seconds["coin.wav"] - 0.15) < 0.001 && muteErrors.length === 0,
        `${standIn.coins} coin cues, stand-in ${standIn.seconds["coin.wav"]?.toFixed(3)} s; ${muteErrors.join(" | ")}`);

  await checkControls(browser, server, { check });
  await checkSmoothMotion(browser, server, helpers);
  await checkPhone(browser, server, helpers);
  await checkDesktopFit(browser, server, helpers);
  await checkOffline(server, helpers);
  await checkInstallAndUpdate(helpers);
  await checkKeptAndShared(browser, server, helpers);
  const hour = await checkReplayLinks(browser, server, helpers);
  await checkHostileLinks(browser, server, helpers);
  const sizes = await checkLinkSizes(browser, server, helpers);
  await checkLongSkips(browser, server, helpers);
  await checkPhoneLoads(browser, server, helpers);
  await checkPhoneWatching(browser, server, helpers);
  const slow = await measureThrottled(browser, server, helpers);

  console.log(`\nmeasured: page ${loaded} bytes; first frame ${firstFrame.toFixed(0)} ms after navigation; ` +
              `tick with frame median ${numbers.median.toFixed(2)} ms (p90 ${numbers.p90.toFixed(2)}, ` +
              `max ${numbers.max.toFixed(2)}) over 1000 ticks; WebAssembly memory ${(numbers.memory / 2 ** 20).toFixed(1)} MB`);
  console.log(`measured with the CPU throttled 6x, phone emulation: first frame ${slow.firstFrame.toFixed(0)} ms; ` +
              `rich game tick with frame median ${slow.median.toFixed(2)} ms, p99 ${slow.p99.toFixed(2)}, ` +
              `max ${slow.max.toFixed(2)} over 1000 ticks; live ticks ${slow.ran} of ${slow.expected} due; ` +
              `WebAssembly memory ${(slow.memory / 2 ** 20).toFixed(1)} MB`);
  console.log(`measured with the CPU throttled 6x, phone emulation, a rich game smoothed for ` +
              `${(slow.smooth.expected / 5).toFixed(0)} s: ${slow.smooth.perSecond.toFixed(1)} pictures a second shown ` +
              `(${slow.smooth.between} between ticks), ${slow.smooth.missed} ticks missed (${slow.smooth.ran} run), ` +
              `a picture between ticks median ${slow.smooth.pictureMedian.toFixed(2)} ms, p99 ` +
              `${slow.smooth.pictureP99.toFixed(2)} ms`);
  console.log(`measured: an 18,000-tick replay skipped to its end in ${hour.skipMs.toFixed(0)} ms; ` +
              `the replay link of an hour of a press every tick is ${hour.hourLinkChars} characters after the '#'`);
  console.log(`measured with the CPU throttled 6x, phone emulation: an 18,000-tick replay skipped in ` +
              `${slow.skipMs.map((ms) => ms.toFixed(0)).join(", ")} ms; a reload from the service worker shows its ` +
              `first frame in ${slow.reloadFrame.toFixed(0)} ms`);
  console.log(`measured: the longest link read (${sizes.longest.chars} characters, ${sizes.longest.presses} presses) ` +
              `took ${sizes.longest.ms.toFixed(0)} ms to start watching; the longest task while links were read ` +
              `${sizes.longestTask.toFixed(0)} ms`);
  }
} finally {
  await browser.close();
  await server.close();
}
if (failures) {
  console.log(`\n${failures} web check(s) failed`);
  process.exit(1);
}
console.log("\nall web checks passed");
