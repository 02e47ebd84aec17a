// The page's game outlives the page and travels as a link: a game kept in
// the browser's storage and continued after a reload (closed or killed),
// free play, a replay link watched, skipped and taken over, the link the
// page shares opened elsewhere, and links made to hurt. Every game is
// checked against marobel-sim's, line for line.
import { deflateRawSync, deflateSync, inflateRawSync } from "node:zlib";

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const kLeft = 0x25;

function newContext(browser) {
  return browser.newContext({ viewport: { width: 1280, height: 960 }, deviceScaleFactor: 1, serviceWorkers: "block" });
}

// Opens the page and waits until it plays or offers its start choices.
async function open(context, server, suffix = "") {
  const page = await context.newPage();
  const errors = [];
  page.on("console", (message) => {
    if (message.type() === "error" && !/Service Worker registration blocked/.test(message.text())) errors.push(message.text());
  });
  page.on("pageerror", (error) => errors.push("uncaught: " + error.message));
  const log = [];  // everything the page said, for a page that never starts
  page.on("console", (message) => log.push(`${message.type()}: ${message.text().slice(0, 200)}`));
  page.on("requestfailed", (request) => log.push(`failed: ${request.url().slice(-40)} ${request.failure()?.errorText}`));
  await page.goto(server.url + suffix);
  try {
    await waitStarted(page);
  } catch (error) {
    error.message += ` [${log.join(" | ")}]`;
    throw error;
  }
  return { page, errors };
}

// A link of a million characters alone takes chromium seconds to take in
// before the page runs at all (9 s on a quiet machine, over 20 s on a busy
// one): the wait is for a page that never starts, not a timing.
const waitStarted = (page) => page.waitForFunction(
  () => (window.marobelPage?.ready() && marobelPage.framesShown() >= 1) ||
        (document.getElementById("start-panel") && !document.getElementById("start-panel").hidden),
  null, { timeout: 90000 });

const lines = (text) => text.split("\n").filter(Boolean);
const tickOf = (line) => JSON.parse(line).tick;
const creditsOf = (line) => JSON.parse(line).credits;

// Presses the arrows now and then until the game has run `ticks` more ticks.
async function play(page, ticks) {
  const until = (await page.evaluate(() => marobelPage.tick())) + ticks;
  for (let n = 0; (await page.evaluate(() => marobelPage.tick())) < until; ++n) {
    await page.keyboard.press(n % 2 ? "ArrowLeft" : "ArrowRight");
    await sleep(230);
  }
}

async function settled(page) {
  await page.waitForFunction(() => marobelPage.storageSynced(), null, { timeout: 5000 });
  await sleep(200);
}

// The first line where two traces differ, or -1.
function firstDifference(a, b) {
  for (let i = 0; i < Math.max(a.length, b.length); ++i) if (a[i] !== b[i]) return i;
  return -1;
}

// Only a script's presses (and a first credits line): the form of a link.
function linkScript(script, credits) {
  const presses = script.split("\n").map((line) => line.replace(/#.*/, "").trim()).filter(Boolean);
  return (credits >= 0 ? `# credits ${credits}\n` : "") + presses.join("\n") + "\n";
}
// The runner's trace lines for a record played `ticks` ticks.
const runnerOf = (runSim, writeKeys) => (name, record, ticks) =>
  lines(runSim(["--ticks", String(ticks), "--keys", writeKeys(name, record), "--trace", "-"]));
const base64url = (bytes) => Buffer.from(bytes).toString("base64url");
const linkOf = (script) => "#play=" + base64url(deflateRawSync(Buffer.from(script)));

export async function checkKeptAndShared(browser, server, { check, runSim, writeKeys }) {
  const runner = runnerOf(runSim, writeKeys);

  // --- Continue: closed with the exit command, then killed by a reload ---
  const context = await newContext(browser);
  let { page, errors } = await open(context, server, "?trace");
  await play(page, 24);
  await page.keyboard.press("Alt+F");
  await page.keyboard.press("x");
  const a = lines(await page.evaluate(() => marobelPage.trace()));
  await settled(page);
  await page.reload();
  await waitStarted(page);
  const offer = await page.locator("#start-continue").textContent();
  const last = a[a.length - 1];
  check("a kept game is offered with its tick and credits",
        offer === `Continue (tick ${tickOf(last)}, ${creditsOf(last)} credits)`, offer);
  await page.getByRole("button", { name: /^Continue/ }).click();
  await play(page, 12);
  const b = lines(await page.evaluate(() => marobelPage.trace()));
  const recordB = await page.evaluate(() => marobelPage.session().record);
  const joined = [...a, ...b.slice(1)];
  const computed = runner("continued", recordB, tickOf(b[b.length - 1]));
  const at = firstDifference(joined, computed);
  check("continued after a reload: the trace goes on as the runner's game of the kept record",
        tickOf(b[0]) === tickOf(last) && at < 0 && computed.length === joined.length,
        at < 0 ? `${joined.length} lines, resumed at tick ${tickOf(b[0])}` : `first difference at line ${at}`);

  // Killed: a reload in the middle of play, with no exit.
  await sleep(2500);
  const killedAt = await page.evaluate(() => marobelPage.tick());
  await page.reload();
  await waitStarted(page);
  await page.getByRole("button", { name: /^Continue/ }).click();
  await play(page, 8);
  const c = lines(await page.evaluate(() => marobelPage.trace()));
  const recordC = await page.evaluate(() => marobelPage.session().record);
  const resumed = tickOf(c[0]);
  const computedC = runner("killed", recordC, tickOf(c[c.length - 1]));
  const atC = firstDifference(c.slice(1), computedC.slice(resumed + 1));
  check("a reload in the middle of play loses at most the ticks since the last marker",
        // The page ticks on while it reloads; as it goes, it keeps the game whole.
        resumed <= killedAt + 5 && resumed >= killedAt - 20 && atC < 0,
        `reloaded at tick ${killedAt}, resumed at ${resumed}` + (atC < 0 ? "" : `, differs at line ${atC + 1}`));
  check("no console error while keeping and continuing", errors.length === 0, errors.join(" | "));

  // A new game replaces the kept one; the one replaced is not destroyed.
  await page.click("#new-game");
  await page.click("#start-new");
  const fresh = await page.evaluate(() => ({ tick: marobelPage.tick(), files: FS.readdir("/state/marobel") }));
  check("New game starts at tick 0 and keeps the replaced game beside it",
        fresh.tick === 0 && fresh.files.includes("game.keys.previous") &&
        fresh.files.includes("game.snapshot.previous") && !fresh.files.some((name) => name.includes("set-aside")),
        JSON.stringify(fresh.files));
  await context.close();

  // --- Free play ---------------------------------------------------------
  const freeContext = await newContext(browser);
  ({ page } = await open(freeContext, server, "?trace"));
  await page.click("#new-game");
  await page.getByRole("button", { name: "1,000", exact: true }).click();
  await play(page, 10);
  const free = lines(await page.evaluate(() => marobelPage.trace()));
  const freeRecord = await page.evaluate(() => marobelPage.session().record);
  const freeComputed = runner("free-play", freeRecord, tickOf(free[free.length - 1]));
  check("free play: 1,000 credits at tick 0, and the runner's game of its record",
        creditsOf(free[0]) === 1000 && freeRecord.startsWith("# credits 1000\n") &&
        firstDifference(free, freeComputed) < 0, `${free.length} lines; first record line ${freeRecord.split("\n")[0]}`);
  await freeContext.close();
}

// A replay link: watched, paused, sped up, skipped, taken over, shared.
export async function checkReplayLinks(browser, server, { check, runSim, writeKeys, richScript }) {
  const runner = runnerOf(runSim, writeKeys);
  const rich = linkScript(richScript, 300);
  const richEnd = Number(lines(rich).pop().split(" ")[0]);
  const watchContext = await newContext(browser);
  const { page, errors } = await open(watchContext, server, "?trace" + linkOf(rich));
  const watching = await page.evaluate(() => ({ watching: marobelPage.watching(), end: marobelPage.replayEndTick(),
                                                mode: marobelPage.mode() }));
  check("a replay link opens in watch mode", watching.watching && watching.end === richEnd && watching.mode === "watch",
        JSON.stringify(watching));
  const before = await page.evaluate(() => marobelPage.lastKey().delivered);
  await page.keyboard.press("ArrowRight");
  await page.click("#watch button[data-speed='16']");
  await sleep(600);
  const fast = await page.evaluate(() => marobelPage.tick());
  await page.getByRole("button", { name: "Pause" }).click();
  const pausedAt = await page.evaluate(() => marobelPage.tick());
  await sleep(500);
  const stillAt = await page.evaluate(() => marobelPage.tick());
  const watchUi = await page.evaluate(() => ({
    lanes: Array.from(document.querySelectorAll(".lane"), (lane) => lane.getAttribute("aria-disabled")).join(),
    hint: document.getElementById("hint").textContent }));
  check("watching: the lanes are shown disabled and the hint says when the player may play",
        watchUi.lanes === "true,true" && watchUi.hint === `Watching: you can play after tick ${richEnd.toLocaleString("en-US")}`,
        JSON.stringify(watchUi));
  check("watching: keys do not steer, 16x runs ahead, Pause holds the game",
        (await page.evaluate(() => marobelPage.lastKey().delivered)) === before && fast >= 20 && stillAt === pausedAt,
        `${fast} ticks after 0.6 s at 16x; paused at ${pausedAt}, ${stillAt} after 0.5 s`);
  await page.getByRole("button", { name: "Pause" }).click();
  // As fast as it goes, the rest of the replay may be over at once; the
  // skip then has nothing left to do.
  await page.getByRole("button", { name: "Max" }).click();
  await page.evaluate(() => marobelPage.skipToEnd());
  // The game goes on at 1x from the replay's end: only the lines to there.
  const skipped = lines(await page.evaluate(() => marobelPage.trace())).slice(0, richEnd + 1);
  const computed = runner("rich-link", rich, richEnd);
  const at = firstDifference(skipped, computed);
  check("skipped to the end: the runner's game of the link's script, tick for tick",
        at < 0 && tickOf(skipped[skipped.length - 1]) === richEnd &&
        !(await page.evaluate(() => marobelPage.watching())),
        at < 0 ? `${skipped.length} lines to tick ${richEnd}` : `first difference at line ${at}`);

  // Taken over: the player's presses count now, and the shared link holds them.
  await page.keyboard.press("ArrowLeft");
  await sleep(450);
  await page.keyboard.press("ArrowRight");
  await sleep(450);
  await watchContext.grantPermissions(["clipboard-read", "clipboard-write"]);
  await page.getByRole("button", { name: "Share" }).click();
  await page.waitForFunction(() => document.getElementById("share-link").value.includes("#play="));
  const link = await page.locator("#share-link").inputValue();
  const record = await page.evaluate(() => marobelPage.session().record);
  const taken = lines(await page.evaluate(() => marobelPage.trace()));
  const takenComputed = runner("taken-over", record, tickOf(taken[taken.length - 1]));
  const takenEnd = Number(lines(record).pop().split(" ")[0]);
  check("taken over: the player's presses play, and the game is the runner's game of its record",
        takenEnd > richEnd && firstDifference(taken, takenComputed) < 0,
        `last press at tick ${takenEnd}, ${taken.length} lines`);
  // The box closes with Escape and gives the keys back to the game.
  await page.keyboard.press("Escape");
  const keysBefore = await page.evaluate(() => marobelPage.lastKey().delivered);
  await page.keyboard.press("ArrowRight");
  const afterEscape = await page.evaluate(() => ({ hidden: document.getElementById("share-box").hidden,
                                                   keys: marobelPage.lastKey().delivered }));
  // And with a tap elsewhere, and with its close button.
  await page.getByRole("button", { name: "Share" }).click();
  await page.waitForFunction(() => !document.getElementById("share-box").hidden);
  await page.mouse.click(5, 600);
  const afterTap = await page.evaluate(() => document.getElementById("share-box").hidden);
  await page.getByRole("button", { name: "Share" }).click();
  await page.waitForFunction(() => !document.getElementById("share-box").hidden);
  await page.click("#share-close");
  const afterClose = await page.evaluate(() => document.getElementById("share-box").hidden);
  check("the Share box closes with Escape, a tap elsewhere and its close button; the next → drops a coin",
        afterEscape.hidden && afterEscape.keys === keysBefore + 1 && afterTap && afterClose,
        JSON.stringify({ afterEscape, keysBefore, afterTap, afterClose }));
  check("no console error while watching and sharing", errors.length === 0, errors.join(" | "));

  const otherContext = await newContext(browser);
  // The link ends where Share was pressed, after the last press.
  const sharedAt = Number(/# ticks (\d+)\n$/.exec(inflateRawSync(Buffer.from(link.slice(link.indexOf("#play=") + 6),
                                                                             "base64url")).toString())?.[1]);
  const other = await open(otherContext, server, link.slice(link.indexOf("#")));
  // Skipped and read at once, before a tick of the player's game can follow.
  const there = await other.page.evaluate(async () => {
    await marobelPage.skipToEnd();
    return { tick: marobelPage.tick(), credits: marobelPage.credits(), watching: marobelPage.watching() };
  });
  const expected = runner("shared", record, sharedAt).pop();
  check("the shared link, opened elsewhere and watched to its end, is the sharer's tick and credits",
        sharedAt > takenEnd && there.tick === sharedAt && there.tick === tickOf(expected) &&
        there.credits === creditsOf(expected) && !there.watching,
        `tick ${there.tick}, ${there.credits} credits; shared at ${sharedAt}, runner ${creditsOf(expected)} credits`);
  await otherContext.close();
  await watchContext.close();

  // --- An hour: the skip's time, and the length of a greedy player's link ---
  const hour = [];
  for (let tick = 1; tick <= 18000; ++tick) hour.push(`${tick} ${tick % 2 ? "left" : "right"}`);
  const hourContext = await newContext(browser);
  const hourPage = (await open(hourContext, server, linkOf(hour.join("\n") + "\n"))).page;
  const { skipMs, hourTick } = await hourPage.evaluate(async () => ({ skipMs: await marobelPage.skipToEnd(),
                                                                      hourTick: marobelPage.tick() }));
  const hourLink = await hourPage.evaluate(() => marobelPage.shareLink());
  check("an hour's replay skips to its end", hourTick === 18000, `tick ${hourTick}`);
  await hourContext.close();
  return { skipMs, hourLinkChars: hourLink.length - hourLink.indexOf("#") };
}

// Links made to hurt: each gives one message, a new game that plays, no
// console error, and nothing of it on the page as markup.
export async function checkHostileLinks(browser, server, { check }) {
  const good = linkOf("5 right\n9 left\n12 right\n").slice("#play=".length);
  const pack = (text) => base64url(deflateRawSync(Buffer.from(text)));
  const hostile = {
    "cut in half": good.slice(0, good.length / 2),
    "cut short": good.slice(0, good.length - 2),
    "three characters": good.slice(0, 3),
    "empty": "",
    "not base64": "!!!!",
    "a dollar sign": "abc$def",
    "an impossible length": "AAAAA",
    "percent-encoded markup": "%3Cimg%20src%3Dx%20onerror%3Dwindow.pwned%3D1%3E",
    "a zip bomb": base64url(deflateRawSync(Buffer.alloc(64 << 20, 0x31), { level: 9 })),
    "too long": "A".repeat(1_100_000),
    "zlib-wrapped": base64url(deflateSync(Buffer.from("5 right\n"))),
    "deflated noise": pack(Buffer.from(Array.from({ length: 300 }, (_, i) => (i * 97 + 13) & 255))),
    "an unknown key": pack("1 up\n"),
    "tick zero": pack("0 left\n"),
    "ticks going back": pack("5 left\n3 right\n"),
    "a key out of range": pack("1 70000\n"),
    "a huge tick": pack("99999999999999999999999 left\n"),
    "markup as a line": pack("<img src=x onerror=window.pwned=1>\n"),
    "script in a comment": pack("# <script>window.pwned=1</script>\n1 left\n"),
    "markup after a press": pack("1 left # <img src=x onerror=window.pwned=1>\n"),
  };
  const failed = [];
  const retried = [];
  for (const [name, payload] of Object.entries(hostile)) {
    let context = await newContext(browser);
    let opened;
    try {
      opened = await open(context, server, "#play=" + payload);
    } catch (error) {
      // Seen now and then only late in the whole run, never for one link
      // alone: a page that did not start is named and opened once more, so
      // that a page that never starts on the link still fails.
      const pages = context.pages();
      const state = await pages[pages.length - 1]?.evaluate(() => ({
        hasPage: !!window.marobelPage, ready: window.marobelPage?.ready?.(), frames: window.marobelPage?.framesShown?.(),
        calledRun: typeof Module !== "undefined" && !!Module.calledRun, readyState: document.readyState,
        status: document.getElementById("status")?.textContent, reading: window.marobelPage?.reading?.(),
        hash: location.hash.slice(0, 40), tick: window.marobelPage?.tick?.(),
        startup: typeof page === "undefined" ? null : page.startup, linkRead: typeof page === "undefined" ? null : page.linkRead,
      })).catch((e) => "evaluate failed " + e.message);
      retried.push(`${name} (${JSON.stringify(state)} ${error.message.slice(error.message.indexOf(" ["))})`);
      await context.close();
      context = await newContext(browser);
      opened = await open(context, server, "#play=" + payload);
    }
    const { page, errors } = opened;
    await page.waitForFunction(() => marobelPage.tick() >= 2, null, { timeout: 5000 }).catch(() => {});
    const seen = await page.evaluate(() => {
      const status = document.getElementById("status");
      return { message: status.hidden ? "" : status.textContent, markup: status.children.length,
               pwned: window.pwned !== undefined, images: document.querySelectorAll("img:not(#about-icon)").length,
               watching: marobelPage.watching(), tick: marobelPage.tick() };
    });
    const ok = /replay link/.test(seen.message) && /new game/.test(seen.message) && !seen.markup && !seen.pwned &&
               !seen.images && !seen.watching && seen.tick >= 2 && errors.length === 0;
    if (!ok) failed.push(`${name}: ${JSON.stringify(seen)} ${errors.join(" | ")}`);
    await context.close();
  }
  check(`${Object.keys(hostile).length} hostile links: one message each, a new game, no markup, no console error`,
        failed.length === 0, failed.join("; ") || (retried.length ? `opened twice: ${retried.join(", ")}` : ""));
}
