#pragma once
#include <string>
#include <vector>

// The arguments after the program name, split as the C runtime splits
// them but taken from the UTF-16 command line, so file names in any script
// survive; each is returned as UTF-8.
std::vector<std::string> CommandLineArguments();
