#pragma once
#include <span>
#include <string>
#include <vector>

#include "app/session/option_reader.h"

// The options Qt reads itself (-platform, -display, -style...): the game's
// command line hands them on to Qt rather than refusing them.
std::span<const ForeignOption> QtOptions();

// The paragraph the help adds about them.
const char* QtOptionsNote();

// The argument vector QApplication is built with: the program's name and
// Qt's own options, nothing of the game's. QApplication keeps pointers into
// it for its whole life, so it must outlive the application.
class QtArguments {
 public:
  QtArguments(const char* program, const std::vector<std::string>& toolkitArguments);
  int& Count() { return count_; }
  char** Vector() { return pointers_.data(); }

 private:
  std::vector<std::string> words_;
  std::vector<char*> pointers_;
  int count_ = 0;
};
