#include "app/session/option_reader.h"

#include "app/session/printable_text.h"

namespace {

constexpr std::size_t kHelpWidth = 79;
// Longer quoted arguments are cut: the message must stay one short line.
constexpr std::size_t kQuotedBytes = 200;

constexpr OptionSpec kHelp{"--help", nullptr, "show this help and exit"};
constexpr OptionSpec kVersion{"--version", nullptr, "print the version and exit"};

std::string Quoted(std::string_view argument) { return "'" + PrintableExcerpt(argument, kQuotedBytes) + "'"; }

const ForeignOption* FindForeign(std::span<const ForeignOption> foreign, const std::string& argument,
                                 bool& inlineValue) {
  for (const ForeignOption& f : foreign) {
    const std::string_view name = f.name;
    inlineValue = f.takesValue && argument.size() > name.size() && argument.compare(0, name.size(), name) == 0 &&
                  argument[name.size()] == '=';
    if (argument == name || inlineValue) return &f;
  }
  return nullptr;
}

// Words of `text` filling lines of at most `width` columns; a single word
// longer than that stands alone on its line.
std::vector<std::string> Wrapped(std::string_view text, std::size_t width) {
  std::vector<std::string> lines(1);
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const std::string_view word = text.substr(start, end - start);
    if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width) lines.emplace_back();
    if (!lines.back().empty()) lines.back() += ' ';
    lines.back() += word;
    at = end;
  }
  return lines;
}

std::string Tag(const OptionSpec& spec) {
  std::string tag = &spec == &kHelp ? "  -h, " : "      ";
  tag += spec.name;
  if (spec.valueName) tag += std::string(" ") + spec.valueName;
  return tag;
}

}  // namespace

const OptionGiven* OptionReading::Find(std::string_view name) const {
  for (const OptionGiven& given : options)
    if (given.spec->name == name) return &given;
  return nullptr;
}

OptionReading ReadOptions(const std::vector<std::string>& args, std::span<const OptionSpec> options,
                          std::span<const ForeignOption> foreign) {
  OptionReading r;
  // Reading goes on after a mistake, so that a --help further on is still
  // seen; only the first mistake is told.
  auto mistake = [&](std::string message) {
    if (r.error.empty()) r.error = std::move(message);
  };
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& argument = args[i];
    if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
      // None of the programs takes operands.
      mistake("unexpected argument " + Quoted(argument));
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    bool foreignInline = false;
    if (const ForeignOption* f = FindForeign(foreign, argument, foreignInline)) {
      r.foreign.push_back(argument);
      if (f->takesValue && !foreignInline) {
        if (i + 1 < args.size())
          r.foreign.push_back(args[++i]);
        else
          mistake("option " + argument + " needs a value");
      }
      continue;
    }
    // Only a long option has a value after '='; "-x=1" is a name as it stands.
    std::string name = argument;
    bool inlineValue = false;
    std::string value;
    if (const std::size_t eq = argument.find('='); argument.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = argument.substr(eq + 1);
      name.resize(eq);
      inlineValue = true;
    }
    if (name == "-h") name = kHelp.name;
    if (name == kHelp.name || name == kVersion.name) {
      if (inlineValue) {
        mistake("option " + name + " takes no value");
      } else if (!r.helpRequested && !r.versionRequested) {
        (name == kHelp.name ? r.helpRequested : r.versionRequested) = true;
      }
      continue;
    }
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& s : options)
      if (name == s.name) spec = &s;
    if (!spec) {
      mistake("unknown option " + Quoted(argument));
      continue;
    }
    if (!spec->valueName && inlineValue) {
      mistake("option " + name + " takes no value");
      continue;
    }
    if (spec->valueName && !inlineValue) {
      if (i + 1 >= args.size()) {
        mistake("option " + name + " needs a value (" + spec->valueName + ")");
        continue;
      }
      value = args[++i];
    }
    if (r.Find(name)) {
      mistake("option " + name + " is given twice");
      continue;
    }
    r.options.push_back({spec, std::move(value)});
  }
  return r;
}

std::string OptionsHelp(std::string_view program, std::string_view summary, std::span<const OptionSpec> options,
                        std::string_view note) {
  std::vector<const OptionSpec*> all;
  for (const OptionSpec& spec : options) all.push_back(&spec);
  all.push_back(&kHelp);
  all.push_back(&kVersion);
  // One column for every description: two spaces past the longest tag.
  std::size_t column = 0;
  for (const OptionSpec* spec : all) column = std::max(column, Tag(*spec).size() + 2);

  std::string text = "Usage: " + std::string(program) + " [OPTION]...\n";
  for (const std::string& line : Wrapped(summary, kHelpWidth)) text += line + "\n";
  text += "\n";
  for (const OptionSpec* spec : all) {
    const std::string tag = Tag(*spec);
    const std::vector<std::string> lines = Wrapped(spec->help, kHelpWidth - column);
    for (std::size_t i = 0; i < lines.size(); ++i)
      text += (i == 0 ? tag + std::string(column - tag.size(), ' ') : std::string(column, ' ')) + lines[i] + "\n";
  }
  if (!note.empty()) {
    text += "\n";
    for (const std::string& line : Wrapped(note, kHelpWidth)) text += line + "\n";
  }
  return text;
}

std::string OptionsErrorText(std::string_view program, std::string_view error) {
  return std::string(program) + ": " + std::string(error) + "\nTry '" + std::string(program) + " --help'.\n";
}
