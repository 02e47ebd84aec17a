// The shell's controls on the page, described once for every shell: P
// pauses the game itself (no tick runs, no key reaches its record) and
// resumes it, M mutes every sound at the one gain they go through, and the
// menus speak the browser's language, marked as they speak it on a page
// whose own controls are English.
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function openIn(browser, server, locale) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 960 }, deviceScaleFactor: 1, locale,
                                             serviceWorkers: "block" });
  const page = await context.newPage();
  await page.goto(server.url + "?trace");
  await page.waitForFunction(() => window.marobelPage?.ready() && marobelPage.framesShown() >= 1, null,
                             { timeout: 20000 });
  return { context, page };
}

const menuTexts = (page) => page.evaluate(() => ({
  file: document.getElementById("file-menu").textContent,
  fileLabel: document.getElementById("file-menu").dataset.label,
  smooth: document.getElementById("smooth-item").dataset.label,
  lang: [document.documentElement, document.getElementById("file-menu"), document.getElementById("paused-banner"),
         document.getElementById("new-game"), document.getElementById("about-caption")]
    .map((element) => element.closest("[lang]").lang).join(" "),
}));

export async function checkControls(browser, server, { check }) {
  const japanese = await openIn(browser, server, "ja-JP");
  const ja = await menuTexts(japanese.page);
  check("navigator.language ja: the menus are Japanese, and so marked", ja.fileLabel === "ﾌｧｲﾙ(&F)" &&
        ja.smooth === "ｽﾑｰｽﾞﾓｰｼｮﾝ(&M)" && ja.lang === "en ja ja en ja", JSON.stringify(ja));
  await japanese.context.close();

  const { context, page } = await openIn(browser, server, "en-US");
  const en = await menuTexts(page);
  check("navigator.language en-US: the menus are English, and so marked", en.file === "File" &&
        en.smooth === "Smooth &motion" && en.lang === "en en en en ja", JSON.stringify(en));

  // P: the game stops where it is; keys meanwhile go nowhere.
  const state = () => page.evaluate(() => ({ tick: marobelPage.tick(), keys: marobelPage.lastKey().delivered,
                                             record: marobelPage.session().record, paused: marobelPage.paused(),
                                             banner: !document.getElementById("paused-banner").hidden }));
  await page.keyboard.press("p");
  const paused = await state();
  await sleep(2000);
  await page.keyboard.press("ArrowRight");
  const later = await state();
  check("P pauses: no tick for 2 s, and a key meanwhile is not in the record",
        paused.paused && paused.banner && later.tick === paused.tick && later.keys === paused.keys &&
        later.record === paused.record,
        `ticks ${paused.tick} -> ${later.tick}, keys ${paused.keys} -> ${later.keys}, banner ${paused.banner}`);
  await page.keyboard.press("p");
  await sleep(700);
  const resumed = await state();
  check("P again resumes", !resumed.paused && !resumed.banner && resumed.tick >= later.tick + 2,
        `ticks ${later.tick} -> ${resumed.tick}`);

  // M: the gain every cue goes through, 0 while muted.
  const loud = await page.evaluate(() => marobelPage.gain());
  await page.keyboard.press("m");
  const muted = await page.evaluate(() => marobelPage.gain());
  await page.keyboard.press("m");
  const back = await page.evaluate(() => marobelPage.gain());
  check("M mutes at the gain node, and M again sounds", loud > 0 && muted === 0 && back === loud,
        `gain ${loud} -> ${muted} -> ${back}`);
  await context.close();
}
