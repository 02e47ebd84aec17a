// The games both builds must play alike: key scripts made here, with a
// seeded generator of our own so every run makes the same files.

function seededRandom(seed) {
  let state = seed >>> 0;
  return () => {
    state = (Math.imul(state, 1664525) + 1013904223) >>> 0;
    return state / 2 ** 32;
  };
}

// name, starting credits (as the runner's --credits; -1 for none), whether
// the trace also carries the drawing calls, and the script itself.
export function sameGameScripts(ticks) {
  const steady = ["# a right press every 8 ticks, a left one every 13"];
  for (let tick = 1; tick <= ticks; ++tick) {
    if (tick % 8 === 0) steady.push(`${tick} right`);
    if (tick % 13 === 0) steady.push(`${tick} left`);
  }

  // Many credits and dense presses through both lanes fill the table and
  // feed the gate: coin prizes, sweepers and magic all happen. Keys the
  // game ignores, hex codes and several presses before one tick are mixed in.
  const random = seededRandom(20261208);
  const rich = ["# a crowded game with prizes"];
  for (let tick = 1; tick <= ticks; ++tick) {
    const roll = random();
    if (roll < 0.3) rich.push(`${tick} ${random() < 0.5 ? "left" : "right"}`);
    else if (roll < 0.32) rich.push(`${tick} 0x41`, `${tick} 39`, `${tick} left`);
    else if (roll < 0.33) rich.push(`${tick} 32  # space: not a coin key`);
  }

  return [
    { name: "idle", credits: -1, draws: true, script: "# no keys at all\n" },
    { name: "steady", credits: -1, draws: true, script: steady.join("\n") + "\n" },
    { name: "rich", credits: 300, draws: false, script: rich.join("\n") + "\n" },
  ];
}

// A scripted game for timing ticks: a few hundred credits played steadily.
export function timingScript(ticks) {
  const lines = [];
  for (let tick = 1; tick <= ticks; ++tick) if (tick % 4 === 0) lines.push(`${tick} ${tick % 8 ? "left" : "right"}`);
  return lines.join("\n") + "\n";
}
