#pragma once

// Ends a scripted test run, if one was started: the page's own game is
// about to take the game state back.
void EndScriptedRun();
