#pragma once
#include <QString>
#include <Qt>

// The game speaks in the virtual-key codes of the keyboard it was first
// written for; Qt speaks in its own key numbers. These translate between
// the two so the core never needs to know which toolkit delivered a key.

// The virtual-key code of a Qt key, or 0 for a key that has none.
int VirtualKeyFor(int qtKey, Qt::KeyboardModifiers modifiers);

// Keys that the original system routed to its menu machinery rather than to
// the window as plain key-downs: anything pressed with Alt held, Alt itself
// and F10. They never reach the game.
bool IsSystemKey(int qtKey, Qt::KeyboardModifiers modifiers);

// Alt with the character "?" or "/", whatever keyboard layout produced it.
bool IsAboutAccelerator(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);
