#include "app/win32/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "app/win32/utf16_text.h"

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.push_back(Utf8FromWide(argv[i]));
  LocalFree(argv);
  return args;
}
