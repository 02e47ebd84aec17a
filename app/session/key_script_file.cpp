#include "app/session/key_script_file.h"

#include "app/session/session_files.h"

bool LoadKeyScript(const std::string& file, std::vector<KeyPress>& presses, std::string& error,
                   std::optional<long long>* startingCredits) {
  std::string text;
  if (!ReadSessionFile(file, text)) {
    error = file + ": cannot read the key script";
    return false;
  }
  KeyScriptResult parsed = ParseKeyScript(text);
  if (!parsed.ok) {
    error = file + ":" + std::to_string(parsed.errorLine) + ": " + parsed.errorReason;
    return false;
  }
  presses = std::move(parsed.presses);
  if (startingCredits) *startingCredits = parsed.startingCredits;
  return true;
}

std::string KeyScriptLine(const KeyPress& press) {
  return std::to_string(press.tick) + ' ' + KeyWord(press.virtualKey);
}
