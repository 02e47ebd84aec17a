// Smooth motion on the page: pictures between ticks at the screen's rate,
// which change nothing of the game, and the View menu's item that turns
// them off. Each check takes the shared check() and helpers of web_test.mjs.
import { deflateRawSync } from "node:zlib";

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const lines = (text) => text.split("\n").filter(Boolean);
const tickOf = (line) => JSON.parse(line).tick;

// The pusher table and what lies on it, in game pixels.
const kPusherArea = { x: 110, y: 150, width: 196, height: 110 };

// How many different pictures of the pusher's area the canvas shows when
// read at each animation frame for `ms` milliseconds.
export function picturesOfPusher(page, ms) {
  return page.evaluate(([area, ms]) => new Promise((resolve) => {
    const context = document.getElementById("game").getContext("2d", { willReadFrequently: true });
    const seen = new Set();
    let frames = 0;
    const end = performance.now() + ms;
    const read = () => {
      const words = new Uint32Array(context.getImageData(area.x, area.y, area.width, area.height).data.buffer);
      let a = 0x811c9dc5, b = 0;
      for (let i = 0; i < words.length; ++i) {
        a = Math.imul(a ^ words[i], 0x01000193);
        b = (Math.imul(b, 31) + words[i]) | 0;
      }
      seen.add(`${a}:${b}`);
      ++frames;
      if (performance.now() < end) requestAnimationFrame(read);
      else resolve({ pictures: seen.size, frames });
    };
    requestAnimationFrame(read);
  }), [kPusherArea, ms]);
}

export async function checkSmoothMotion(browser, server, { check, runSim, writeKeys }) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 960 }, deviceScaleFactor: 1,
                                             serviceWorkers: "block" });
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (error) => errors.push("uncaught: " + error.message));
  await page.goto(server.url + "?trace");
  await page.waitForFunction(() => window.marobelPage?.ready() && marobelPage.framesShown() >= 1, null,
                             { timeout: 20000 });
  // Free play: every press drops a coin, so the next tick changes while
  // pictures are on the way to it.
  await page.click("#new-game");
  await page.getByRole("button", { name: "1,000", exact: true }).click();

  const on = await picturesOfPusher(page, 2000);
  const shownBefore = await page.evaluate(() => marobelPage.pictures().shown);
  const startTick = await page.evaluate(() => marobelPage.tick());
  // Presses 230 ms apart land at every point between two ticks.
  for (let n = 0; n < 16; ++n) {
    await page.keyboard.press(n % 2 ? "ArrowLeft" : "ArrowRight");
    await sleep(230);
  }
  const played = await page.evaluate(() => ({ trace: marobelPage.trace(), record: marobelPage.session().record,
                                               shown: marobelPage.pictures().shown, smooth: marobelPage.smooth() }));
  const trace = lines(played.trace);
  const ticks = tickOf(trace[trace.length - 1]);
  const runner = lines(runSim(["--ticks", String(ticks), "--keys", writeKeys("smoothed", played.record),
                               "--trace", "-"]));
  let differs = -1;
  for (let i = 0; i < Math.max(trace.length, runner.length) && differs < 0; ++i)
    if (trace[i] !== runner[i]) differs = i;
  const between = played.shown - shownBefore;
  check("smoothed: the page's game, pressed between ticks, is the runner's game of its record",
        played.smooth && differs < 0 && between >= 2 * (ticks - startTick),
        `${trace.length} lines${differs < 0 ? " equal" : `, first difference at line ${differs}`}; ` +
        `${between} pictures between ${ticks - startTick} ticks`);

  // Off by the View menu: each tick's frame alone, and the item unchecked.
  await page.click("#view-menu");
  await page.click("#smooth-item");
  const off = await picturesOfPusher(page, 2000);
  const item = await page.evaluate(() => ({ checked: document.getElementById("smooth-item").getAttribute("aria-checked"),
                                            smooth: marobelPage.smooth() }));
  check("smooth motion: the pusher's area in 2 s, at least 25 pictures on, at most 11 off",
        on.pictures >= 25 && off.pictures <= 11,
        `on ${on.pictures} pictures in ${on.frames} animation frames, off ${off.pictures} in ${off.frames}`);
  // Back on by its mnemonics, as the desktop's menus are worked.
  await page.keyboard.press("Alt+V");
  await page.keyboard.press("m");
  const again = await picturesOfPusher(page, 1000);
  check("the View menu's Smooth motion item turns it off and on",
        item.checked === "false" && !item.smooth && again.pictures >= 12 &&
        (await page.evaluate(() => document.getElementById("smooth-item").getAttribute("aria-checked"))) === "true",
        `off: checked ${item.checked}; on again: ${again.pictures} pictures in 1 s`);

  // Watching a replay: smoothed at 1x and 4x, plain ticks at 16x and while
  // paused. At 4x each tick leaves 50 ms for its pictures, of which a busy
  // machine may show few.
  const script = Array.from({ length: 400 }, (_, i) => `${4 * i + 4} ${i % 2 ? "left" : "right"}`).join("\n");
  await page.goto(server.url + "#play=" + deflateRawSync(Buffer.from(`# credits 500\n${script}\n`)).toString("base64url"));
  await page.waitForFunction(() => window.marobelPage?.ready() && marobelPage.watching(), null, { timeout: 20000 });
  const watched = {};
  for (const speed of ["1", "4", "16", "paused"]) {
    if (speed === "paused") await page.click("#watch-pause");
    else await page.click(`#watch button[data-speed="${speed}"]`);
    await sleep(300);
    const state = () => page.evaluate(() => [marobelPage.tick(), marobelPage.pictures().shown]);
    const [tick, shown] = await state();
    await sleep(1000);
    const [tickAfter, shownAfter] = await state();
    watched[speed] = { ticks: tickAfter - tick, between: shownAfter - shown };
  }
  check("watching: pictures between ticks at 1x and 4x, none at 16x nor paused",
        watched[1].between >= 2 * watched[1].ticks && watched[4].ticks >= 12 &&
        watched[4].between > 0 && watched[16].ticks >= 40 && watched[16].between === 0 &&
        watched.paused.ticks === 0 && watched.paused.between === 0, JSON.stringify(watched));
  check("no uncaught error while smoothing", errors.length === 0, errors.join(" | "));
  await context.close();
}
