#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// How every command line of the game's programs is split: an option is
// "--name=value" or "--name" followed, if it takes a value, by the next
// argument. Each program's parser says which names it knows.
struct OptionWord {
  std::string name;
  std::optional<std::string> inlineValue;  // what came after '='
};

OptionWord SplitOption(const std::string& argument);

// The value of the option args[i]: after its '=', or else the next
// argument, which `i` then moves on to. None when the line ends first.
std::optional<std::string> OptionValue(const OptionWord& word, const std::vector<std::string>& args, std::size_t& i);
