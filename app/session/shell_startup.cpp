#include "app/session/shell_startup.h"

#include "marobel_version.h"

int RunShell(const std::vector<std::string>& arguments, const ShellHooks& hooks) {
  const ShellOptionsResult parsed = ParseShellOptions(arguments, hooks.toolkitOptions);
  auto fail = [&hooks](const std::string& line) {
    hooks.tell(std::string(hooks.name.program) + ": " + line + "\n", true);
  };
  // Help wherever it stands, even after a mistake.
  if (parsed.options.helpRequested) {
    hooks.tell(ShellUsage(hooks.usageNote, hooks.name), false);
    return 0;
  }
  if (!parsed.ok) {
    hooks.tell(ShellUsageError(parsed.error, hooks.name), true);
    return 2;
  }
  if (parsed.options.versionRequested) {
    hooks.tell(std::string(hooks.name.program) + " " MAROBEL_VERSION "\n", false);
    return 0;
  }
  GameSession session;
  std::string error;
  // A window's game is always kept, so that "Continue the last game" finds
  // it whichever way it began.
  ShellOptions options = parsed.options;
  options.keepGame = true;
  if (!session.Open(options, error)) {
    fail(error);
    return 2;
  }
  if (!session.Notice().empty()) {
    if (hooks.logNotice)
      hooks.logNotice(std::string(hooks.name.program) + ": " + session.Notice() + "\n");
    else
      fail(session.Notice());
  }
  int status = hooks.runWindow(session, parsed);
  session.SetSoundPlayer(nullptr);
  if (parsed.options.summaryRequested) hooks.tell(session.SummaryText(), true);
  if (!session.Close(error)) {
    fail(error);
    if (status == 0) status = 1;
  }
  return status;
}
