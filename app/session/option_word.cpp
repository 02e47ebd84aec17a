#include "app/session/option_word.h"

OptionWord SplitOption(const std::string& argument) {
  OptionWord word{argument, std::nullopt};
  // Only a long option has a value after '='; "-x=1" is a name as it stands.
  if (const auto eq = argument.find('='); argument.rfind("--", 0) == 0 && eq != std::string::npos) {
    word.inlineValue = argument.substr(eq + 1);
    word.name.resize(eq);
  }
  return word;
}

std::optional<std::string> OptionValue(const OptionWord& word, const std::vector<std::string>& args, std::size_t& i) {
  if (word.inlineValue) return word.inlineValue;
  if (i + 1 >= args.size()) return std::nullopt;
  return args[++i];
}
