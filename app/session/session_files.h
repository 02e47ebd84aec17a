#pragma once
#include <cstdio>
#include <filesystem>
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

// A session file's name as a path, and back (UTF-8 on Windows, as given
// elsewhere).
std::filesystem::path SessionFilePath(const std::string& name);
std::string SessionFileName(const std::filesystem::path& path);

// A folder of the player's named by the environment: %<windowsVariable>%\Marobel
// on Windows; on other systems $<xdgVariable>/marobel when that is an
// absolute path, else ~/<homeFallback>/marobel. Empty when the environment
// names no such place.
std::string PlayerFolder(const wchar_t* windowsVariable, const char* xdgVariable, const char* homeFallback);

// Whether the file exists at all.
bool SessionFileExists(const std::string& name);

// Writes `bytes` to `name` whole or not at all (a WholeFile), so a kill, a
// power cut or a full disk leaves the old file as it was.
bool ReplaceSessionFile(const std::string& name, const void* bytes, std::size_t size);

// Renames a file; false when it cannot be.
bool RenameSessionFile(const std::string& from, const std::string& to);
