#include "app/win32/shell_text.h"

#include <windows.h>

#include "app/win32/utf16_text.h"

namespace {

bool WriteTo(HANDLE handle, const std::string& text) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = WideFromUtf8(text);
    return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
  }
  if (GetFileType(handle) == FILE_TYPE_UNKNOWN) return false;
  return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
}

}  // namespace

bool LogShellText(const std::string& text, bool isError) {
  if (WriteTo(GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text)) return true;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  const bool shown = WriteTo(console, text);
  if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
  FreeConsole();
  return shown;
}

void ShowShellText(const std::string& text, bool isError, const wchar_t* caption) {
  if (LogShellText(text, isError)) return;
  std::string boxText = text;
  while (!boxText.empty() && boxText.back() == '\n') boxText.pop_back();
  MessageBoxW(nullptr, WideFromUtf8(boxText).c_str(), caption, MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}
