#pragma once
#include <string>
#include <vector>

#include "pe_resources.h"

// Checks the game's executable resources against what the program needs:
// texts, menu commands, accelerators, the About dialog and the icons, all
// in the Japanese language section. Returns one line per problem found.
std::vector<std::string> CheckMarobelResources(const PeImage& image);

// A readable listing of every resource the checker understands.
std::string DescribeResources(const PeImage& image);
