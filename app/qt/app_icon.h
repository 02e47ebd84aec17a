#pragma once
#include <QIcon>

// The game's icon, built into the executable from the generated artwork so
// that it shows wherever the game is started from.
QIcon AppIcon();
