// The player's controls around the game, as every shell has them: the menu
// bar the module describes (in the page's language, with its ticks and
// greyed items), the shell's own keys, pause and its banner, sound volume,
// the settings kept in the browser, the out-of-credits notice, and the
// Keys and Statistics windows. What each menu item and key means is the
// module's (app/session/shell_commands.h); this file only shows it.
"use strict";

const controls = {
  settingsKey: "marobel.settings",
  state: { sound: true, volume: 5, smooth: true, scale: 0, backgroundPause: true, language: "en", gain: 1 },
  facts: null,
  statisticsTimer: 0,

  fact(name) {
    if (!this.facts) this.facts = JSON.parse(document.getElementById("shell-facts").textContent);
    return this.facts[name];
  },
  // A text of the shell's table in the page's language.
  say(name) {
    return (this.state.language === "en" && this.fact(name + "En")) || this.fact(name);
  },
  command(name) {
    return Number(this.fact("Command" + name).split(" ")[0]);
  },
  // The menus' items by command, for the page's element ids: CommandNewGame
  // is "new-game-item", CommandVolume's third step "volume-3-item".
  itemIds: null,
  itemId(command) {
    if (!this.itemIds) {
      this.itemIds = new Map();
      this.fact("Title");
      for (const name of Object.keys(this.facts)) {
        const match = /^Command([A-Za-z]+)$/.exec(name);
        if (!match) continue;
        const base = match[1].replace(/[A-Z]/g, (letter, at) => (at ? "-" : "") + letter.toLowerCase());
        const values = this.facts[name].split(" ").map(Number);
        values.forEach((value, i) => this.itemIds.set(value, values.length > 1 ? `${base}-${i + 1}-item` : `${base}-item`));
      }
    }
    return this.itemIds.get(command) ?? `command-${command}-item`;
  },

  // What speaks the page's language besides the menus, which renderMenus
  // marks; the page's own controls and messages are English.
  inPageLanguage: "#paused-banner, #credits-notice, #ask, #keys-box, #statistics-box",

  // Settings: the desktop's settings text, kept in the browser's storage.
  // A damaged one is told on the console and what can be read still counts.
  load() {
    Module.ccall("web_set_locale", null, ["string"], [navigator.language || ""]);
    let text = null;
    try {
      text = localStorage.getItem(this.settingsKey);
    } catch (error) {
      text = null;  // storage refused: the defaults
    }
    if (text !== null) {
      const problem = Module.UTF8ToString(withModuleText(text, (pointer) => Module._web_load_settings(pointer)));
      if (problem) console.warn("marobel: the kept settings are damaged: " + problem);
    }
    this.follow(true);
  },
  save() {
    try {
      localStorage.setItem(this.settingsKey, Module.UTF8ToString(Module._web_settings_text()));
    } catch (error) {
      // Not kept (storage full or refused): they hold for this visit.
    }
  },
  // The page follows the settings as the module now has them.
  follow(first = false) {
    const before = this.state;
    this.state = JSON.parse(Module.UTF8ToString(Module._web_settings_state()));
    const state = this.state;
    if (state.smooth !== page.smooth) {
      page.smooth = state.smooth;
      if (page.started) Module._web_set_smooth(state.smooth ? 1 : 0);
    }
    const zoom = state.scale === 0 ? "fit" : String(state.scale);
    if (zoom !== page.zoom) {
      page.zoom = zoom;
      applyZoom();
    }
    if (audio.gain) audio.gain.gain.value = state.gain;
    if (first || state.language !== before.language) {
      for (const element of document.querySelectorAll(this.inPageLanguage)) element.lang = state.language;
      this.renderMenus();
      this.relabel();
      placeGameButtons();
    }
    this.update();
  },
  // A menu command or a shell key.
  run(command) {
    menus.close();
    const is = (name) => command === this.command(name);
    if (Module._web_setting_command(command)) {
      this.save();
      this.follow();
    } else if (is("About")) openAbout();
    else if (is("Exit")) endGame("The game has ended. Reload the page to play again.");
    else if (is("Pause")) this.togglePause();
    else if (is("NewGame")) this.askNewGame();
    else if (is("Continue")) {
      if (this.enabled(command)) startGame("previous");
    } else if (is("FreePlay")) this.askFreePlay();
    else if (is("FullScreen")) this.toggleFullScreen();
    else if (is("Keys")) this.showKeys();
    else if (is("Statistics")) this.showStatistics();
  },

  // --- The menu bar ---
  menus() {
    return JSON.parse(Module.UTF8ToString(Module._web_menus()));
  },
  // The entries of every menu, submenus' included, by command.
  entries(list = this.menus().flatMap((menu) => menu.entries), into = new Map()) {
    for (const entry of list) {
      if (entry.kind === "submenu") this.entries(entry.entries, into);
      else if (entry.command) into.set(entry.command, entry);
    }
    return into;
  },
  enabled(command) {
    return this.entries().get(command)?.enabled ?? false;
  },
  label(element, text) {
    const match = /^(.*?)&(.)(.*)$/.exec(text);
    element.dataset.label = text;
    element.dataset.mnemonic = match ? match[2].toLowerCase() : "";
    element.replaceChildren();
    if (!match) {
      element.append(text);
      return;
    }
    const underlined = document.createElement("u");
    underlined.textContent = match[2];
    element.append(match[1], underlined, match[3]);
  },
  renderEntries(container, entries) {
    for (const entry of entries) {
      if (entry.kind === "separator") {
        const line = document.createElement("hr");
        line.className = "menu-separator";
        container.append(line);
        continue;
      }
      const item = document.createElement("button");
      item.type = "button";
      item.className = "menu-item";
      const text = document.createElement("span");
      this.label(text, entry.text);
      item.dataset.label = text.dataset.label;
      item.dataset.mnemonic = text.dataset.mnemonic;
      delete text.dataset.label;
      item.append(text);
      if (entry.kind === "submenu") {
        const holder = document.createElement("div");
        holder.className = "submenu";
        item.classList.add("submenu-title");
        item.setAttribute("role", "menuitem");
        item.setAttribute("aria-haspopup", "true");
        item.setAttribute("aria-expanded", "false");
        const items = document.createElement("div");
        items.className = "menu-items submenu-items";
        items.setAttribute("role", "menu");
        items.hidden = true;
        this.renderEntries(items, entry.entries);
        holder.append(item, items);
        container.append(holder);
        continue;
      }
      item.id = this.itemId(entry.command);
      item.dataset.command = String(entry.command);
      item.setAttribute("role", { check: "menuitemcheckbox", radio: "menuitemradio" }[entry.kind] ?? "menuitem");
      if (entry.keys) {
        const keys = document.createElement("span");
        keys.className = "menu-keys";
        keys.textContent = entry.keys;
        item.append(keys);
      }
      container.append(item);
    }
  },
  // The whole bar anew, in the page's language; the page's own buttons
  // after it stay as they are.
  renderMenus() {
    const bar = document.getElementById("menubar");
    for (const old of bar.querySelectorAll(":scope > .menu")) old.remove();
    const before = document.getElementById("game-buttons");
    const ids = ["file-menu", "view-menu", "help-menu"];
    this.menus().forEach((description, i) => {
      const menu = document.createElement("div");
      menu.className = "menu";
      menu.lang = this.state.language;
      const title = document.createElement("button");
      title.className = "menu-title";
      title.id = ids[i] ?? `menu-${i}`;
      title.setAttribute("role", "menuitem");
      title.setAttribute("aria-haspopup", "true");
      this.label(title, description.title);
      const items = document.createElement("div");
      items.className = "menu-items";
      items.setAttribute("role", "menu");
      items.hidden = true;
      this.renderEntries(items, description.entries);
      menu.append(title, items);
      bar.insertBefore(menu, before?.parentNode === bar ? before : null);
      title.addEventListener("click", () => {
        if (menus.open === menu) menus.close();
        else menus.show(menu);
      });
    });
    for (const item of bar.querySelectorAll(".menu-item")) {
      item.addEventListener("click", () => {
        if (item.classList.contains("submenu-title")) menus.toggleSubmenu(item);
        else this.run(Number(item.dataset.command));
      });
    }
    this.markMenus();
  },
  // Ticks and greyed items as they are now.
  markMenus() {
    for (const [command, entry] of this.entries()) {
      const item = document.getElementById(this.itemId(command));
      if (!item) continue;
      item.disabled = !entry.enabled;
      if (entry.kind === "check" || entry.kind === "radio") item.setAttribute("aria-checked", String(entry.checked));
    }
  },

  // --- Pause, and what the page shows over and beside the game ---
  togglePause() {
    if (!page.started || page.ended) return;
    Module._web_set_paused(Module._web_paused() ? 0 : 1);
    this.update();
    watchBar.update();
  },
  pageHidden() {
    if (page.moduleReady) Module._web_page_hidden(document.hidden ? 1 : 0);
    this.update();
  },
  // Texts in the page's language.
  relabel() {
    document.getElementById("paused-banner").textContent = this.say("PausedBanner");
    document.getElementById("credits-notice-text").textContent = this.say("OutOfCreditsNotice");
    const plain = this.entries();
    document.getElementById("credits-new").textContent = plain.get(this.command("NewGame")).plain;
    document.getElementById("credits-free").textContent = plain.get(this.command("FreePlay")).plain;
    document.getElementById("keys-caption").textContent = this.say("KeysCaption");
    document.getElementById("statistics-caption").textContent = this.say("StatisticsCaption");
    if (document.getElementById("keys-box").open) this.fillKeys();
  },
  update() {
    if (!page.moduleReady) return;
    const running = page.started && !page.ended;
    document.getElementById("paused-banner").hidden = !(running && Module._web_paused_any());
    const notice = document.getElementById("credits-notice");
    const outOfCredits = running && Module._web_out_of_credits() === 1;
    if (notice.hidden === outOfCredits) {
      notice.hidden = !outOfCredits;
      applyZoom();
    }
    if (!menus.open) this.markMenus();
  },

  // --- Questions: a new game, free play's credits ---
  ask(text, choices, withNumber = false) {
    const box = document.getElementById("ask");
    document.getElementById("ask-text").textContent = text;
    const field = document.getElementById("ask-number");
    field.hidden = !withNumber;
    field.value = "";
    const buttons = document.getElementById("ask-choices");
    buttons.replaceChildren();
    for (const [label, action] of choices) {
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = label;
      button.addEventListener("click", () => {
        if (action && action() === false) return;
        box.close();
      });
      buttons.append(button);
    }
    box.showModal();
    (withNumber ? field : buttons.firstChild).focus();
  },
  startFromMenu(credits) {
    document.getElementById("status").hidden = true;
    forgetLink();
    startGame("new", credits);
  },
  askNewGame() {
    if (!page.started || !this.enabled(this.command("NewGame"))) return;
    this.ask(this.say("NewGameQuestion"), [[this.fact("OkButton"), () => this.startFromMenu()],
                                           [this.say("CancelButton"), null]]);
  },
  askFreePlay() {
    if (!page.started || !this.enabled(this.command("FreePlay"))) return;
    const credits = this.fact("FreePlayCredits").split(" ").map(Number);
    const typed = () => {
      const field = document.getElementById("ask-number");
      const value = Number(field.value);
      if (!Number.isInteger(value) || value < 1 || value > 1000000) {
        field.focus();
        return false;
      }
      this.startFromMenu(value);
    };
    this.ask(this.say("FreePlayQuestion"),
             [...credits.map((count) => [count.toLocaleString("en-US"), () => this.startFromMenu(count)]),
              [this.fact("OkButton"), typed], [this.say("CancelButton"), null]], true);
  },

  toggleFullScreen() {
    const done = () => {
      Module._web_set_full_screen(document.fullscreenElement ? 1 : 0);
      this.markMenus();
    };
    const asked = document.fullscreenElement ? document.exitFullscreen() : document.documentElement.requestFullscreen?.();
    Promise.resolve(asked).then(done, done);
  },

  // --- The Keys and Statistics windows ---
  fillKeys() {
    const rows = JSON.parse(Module.UTF8ToString(Module._web_keys_help())).map(([keys, does]) => {
      const row = document.createElement("tr");
      const key = document.createElement("th");
      key.textContent = keys;
      const what = document.createElement("td");
      what.textContent = does;
      row.append(key, what);
      return row;
    });
    document.getElementById("keys-list").replaceChildren(...rows);
  },
  showKeys() {
    const box = document.getElementById("keys-box");
    this.fillKeys();
    if (!box.open) box.show();
  },
  showStatistics() {
    const box = document.getElementById("statistics-box");
    Module._web_show_statistics();
    if (box.open) return;
    box.show();
    this.statisticsTimer = setInterval(() => {
      if (box.open) Module._web_show_statistics();
      else clearInterval(this.statisticsTimer);
    }, 1000);
  },

  wire() {
    document.getElementById("credits-new").addEventListener("click", (event) => {
      event.currentTarget.blur();
      this.startFromMenu();
    });
    document.getElementById("credits-free").addEventListener("click", (event) => {
      event.currentTarget.blur();
      this.askFreePlay();
    });
    for (const id of ["keys-box", "statistics-box"]) {
      const box = document.getElementById(id);
      box.querySelector(".close").addEventListener("click", () => box.close());
    }
    document.getElementById("ask").addEventListener("keydown", (event) => {
      if (event.key === "Enter" && event.target.id === "ask-number") {
        event.preventDefault();
        document.getElementById("ask-choices").children[this.fact("FreePlayCredits").split(" ").length].click();
      }
    });
    document.addEventListener("fullscreenchange", () => {
      if (page.moduleReady) Module._web_set_full_screen(document.fullscreenElement ? 1 : 0);
    });
    setInterval(() => this.update(), 250);
  },
};
