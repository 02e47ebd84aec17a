#pragma once

// Step T10: the magic figure counts down ten ticks, then a bonus coin drops.
void MagicStep();

// Step T11: the sweeper crosses the cabinet and clears playfield coins at random.
void SweeperStep();
