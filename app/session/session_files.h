#pragma once
#include <cstdio>
#include <string>

// Opens a file named on the command line. On Windows the name is UTF-8 and
// the file is opened by its UTF-16 name, so any name the player can type
// works whatever the system's code page; elsewhere it is used as given.
std::FILE* OpenSessionFile(const std::string& name, const char* mode);

// Reads a whole file; false when it cannot be read.
bool ReadSessionFile(const std::string& name, std::string& text);

// Whether two names given on the command line lead to the same file: the
// same name, or two names of one existing file.
bool SameSessionFile(const std::string& a, const std::string& b);

// Removes a file the session created but could not go on with.
void RemoveSessionFile(const std::string& name);
