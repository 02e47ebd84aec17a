// The page as an installed program: what its manifest offers a browser
// that installs it (an id, a maskable icon, screenshots, shortcuts), the
// storage it asks to keep, and a new build served over the last one: the
// player is told, and the reload runs the new build's files only, though
// the host lets the browser's HTTP cache keep the old ones.
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { chromium } from "playwright-core";

import { decodePng } from "./png_pixels.mjs";
import { serveSite } from "./static_server.mjs";

const kSecondMark = "second build";

// The same site as a new build would be: another cache name, and a mark in
// the page and in its script.
function secondBuild(site, folder) {
  cpSync(site, folder, { recursive: true });
  const edit = (file, change) => writeFileSync(join(folder, file), change(readFileSync(join(folder, file), "utf8")));
  edit("sw.js", (text) => text.replace(/const kCacheName = "(marobel-[^"]+)";/, 'const kCacheName = "$1-2";'));
  edit("shell.js", (text) => `${text}\nwindow.marobelBuildMark = "${kSecondMark}";\n`);
  edit("index.html", (text) => text.replace("<head>", `<head>\n<meta name="marobel-build" content="${kSecondMark}">`));
}

const waitStarted = (page) => page.waitForFunction(
  () => (window.marobelPage?.ready() && marobelPage.framesShown() >= 1) ||
        (document.getElementById("start-panel") && !document.getElementById("start-panel").hidden),
  null, { timeout: 30000 });

// The manifest as chromium reads it, and the pictures it names as served.
async function checkManifest(page, client, check) {
  const { url, errors, data } = await client.send("Page.getAppManifest");
  const manifest = JSON.parse(data);
  const picture = async (src) => decodePng(Buffer.from(await page.evaluate(async (address) =>
    Array.from(new Uint8Array(await (await fetch(address)).arrayBuffer())), new URL(src, url).href)));
  const { appId } = await client.send("Page.getAppId");
  check("the manifest reads without errors and names the app's id", errors.length === 0 && !!manifest.id &&
        appId === new URL(manifest.id, url).href, `${JSON.stringify(errors)} id ${manifest.id} -> ${appId}`);

  // A launcher may cut away anything outside the middle 80 per cent circle:
  // there the icon must be its opaque background alone.
  const maskable = manifest.icons.find((icon) => icon.purpose.split(" ").includes("maskable"));
  let maskableOk = false, detail = "no maskable icon";
  if (maskable) {
    const image = await picture(maskable.src);
    const [size] = maskable.sizes.split("x").map(Number);
    const corner = image.at(0, 0);
    let outside = 0, opaque = true;
    for (let y = 0; y < image.height; ++y)
      for (let x = 0; x < image.width; ++x) {
        if (image.alpha(x, y) !== 255) opaque = false;
        const inSafeZone = Math.hypot(x + 0.5 - image.width / 2, y + 0.5 - image.height / 2) <= 0.4 * image.width;
        if (!inSafeZone && image.at(x, y).some((value, i) => value !== corner[i])) ++outside;
      }
    maskableOk = image.width === size && image.height === size && opaque && outside === 0;
    detail = `${image.width}x${image.height}, opaque ${opaque}, ${outside} drawn pixels outside the safe zone`;
  }
  check("a maskable icon: opaque, drawn within the safe zone", maskableOk, detail);

  const shots = [];
  for (const shot of manifest.screenshots ?? []) {
    const image = await picture(shot.src);
    shots.push({ form: shot.form_factor, declared: shot.sizes, actual: `${image.width}x${image.height}`,
                 upright: image.height > image.width, label: !!shot.label });
  }
  const narrow = shots.find((shot) => shot.form === "narrow"), wide = shots.find((shot) => shot.form === "wide");
  check("screenshots: one upright for phones, one wide for desktops, each its declared size",
        shots.length === 2 && narrow?.upright && wide && !wide.upright &&
        shots.every((shot) => shot.declared === shot.actual && shot.label), JSON.stringify(shots));
  return manifest;
}

export async function checkInstallAndUpdate({ check, site, chromiumPath }) {
  const server = await serveSite(site, { cacheSeconds: 3600 });
  const profile = mkdtempSync(join(tmpdir(), "marobel-profile-"));
  const second = mkdtempSync(join(tmpdir(), "marobel-second-build-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath, args: ["--no-sandbox"], viewport: { width: 1280, height: 960 },
    serviceWorkers: "allow" });
  try {
    const page = context.pages()[0] || await context.newPage();
    const errors = [];
    page.on("pageerror", (error) => errors.push("uncaught: " + error.message));
    // Whether the browser keeps the page's storage is the browser's call;
    // asking is the page's.
    await page.addInitScript(() => {
      const ask = StorageManager.prototype.persist;
      StorageManager.prototype.persist = function () {
        window.marobelPersistAsked = (window.marobelPersistAsked ?? 0) + 1;
        return ask.call(this);
      };
    });
    await page.goto(server.url);
    await waitStarted(page);
    // Installed: the worker controls the page, its cache filled.
    const first = await page.evaluate(async () => {
      let cache = null;
      for (let i = 0; i < 300 && !cache; ++i) {
        const names = await caches.keys();
        if (navigator.serviceWorker.controller && names.length === 1 &&
            (await (await caches.open(names[0])).keys()).length > 30) cache = names[0];
        else await new Promise((resolve) => setTimeout(resolve, 100));
      }
      return { cache, asked: window.marobelPersistAsked ?? 0, notice: !document.getElementById("update-bar").hidden };
    });
    check("a page that keeps a game asks the browser to keep its storage", first.asked === 1, JSON.stringify(first));

    const client = await context.newCDPSession(page);

    const manifest = await checkManifest(page, client, check);

    // The shortcuts: the kept game goes on without the start panel, and a
    // new one starts; neither choice stays in the address to be made again.
    const shortcut = (name) => manifest.shortcuts?.find((entry) => entry.name === name)?.url;
    await page.waitForFunction(() => marobelPage.tick() >= 20, null, { timeout: 20000 });
    await page.evaluate(() => marobelPage.keepNow());
    const kept = await page.evaluate(() => marobelPage.tick());
    const starts = [];
    for (const name of ["Continue", "New game"]) {
      if (!shortcut(name)) continue;
      await page.goto(new URL(shortcut(name), server.url).href);
      await waitStarted(page);
      starts.push(await page.evaluate(() => ({ mode: marobelPage.ready() && marobelPage.mode(), tick: marobelPage.tick(),
                                               search: location.search })));
    }
    check("the shortcuts Continue and New game: the kept game goes on, then a new one starts",
          starts.length === 2 && starts[0].mode === "continue" && starts[0].tick >= kept &&
          starts[1].mode === "new" && starts[1].tick < kept && starts.every((start) => start.search === ""),
          `kept at tick ${kept}; ${JSON.stringify(starts)}`);

    // A new build: found at the next visit, installed beside the old, told.
    secondBuild(site, second);
    server.serveFrom(second);
    await page.reload();
    await waitStarted(page);
    const notice = page.locator("#update-bar");
    const told = await notice.waitFor({ state: "visible", timeout: 30000 }).then(() => true, () => false);
    const waiting = await page.evaluate(() => ({ mark: window.marobelBuildMark ?? null, text: document.getElementById("update-bar").textContent.replace(/\s+/g, " ").trim() }));
    check("a second build served over the first: the page says a new version is ready, and runs on meanwhile",
          !first.notice && told && waiting.mark === null && waiting.text === "A new version is ready: reload",
          `first visit notice ${first.notice}; then ${told ? "told" : "not told"}: ${JSON.stringify(waiting)}`);

    // Its reload: every file the page runs is the new build's, from the new
    // build's cache, the old cache gone.
    if (told) {
      await Promise.all([page.waitForEvent("load", { timeout: 30000 }), page.click("#update-reload")]);
      await waitStarted(page);
      const after = await page.evaluate(async () => {
        const names = await caches.keys();
        const cache = names.length === 1 ? await caches.open(names[0]) : null;
        const cached = async (file) => (cache ? (await (await cache.match(file))?.text()) ?? "" : "");
        return { names, mark: window.marobelBuildMark ?? null,
                 meta: document.querySelector('meta[name="marobel-build"]')?.content ?? null,
                 cachedScript: (await cached("shell.js")).includes("marobelBuildMark"),
                 cachedPage: (await cached("index.html")).includes("marobel-build"),
                 worker: navigator.serviceWorker.controller?.scriptURL ?? null,
                 notice: !document.getElementById("update-bar").hidden };
      });
      check("reload: the new build's page and script, from its own cache only, filled past the HTTP cache",
            after.names.length === 1 && after.names[0] === first.cache + "-2" && after.mark === kSecondMark &&
            after.meta === kSecondMark && after.cachedScript && after.cachedPage && !after.notice && !!after.worker,
            `${first.cache} then ${JSON.stringify(after)}`);
    }
    check("no uncaught errors while installed and updated", errors.length === 0, errors.join(" | "));
  } finally {
    await context.close();
    await server.close();
    rmSync(profile, { recursive: true, force: true });
    rmSync(second, { recursive: true, force: true });
  }
}
