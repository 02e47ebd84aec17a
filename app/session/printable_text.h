#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Text taken from a file or the command line, made safe to quote in a
// one-line message: control bytes (a newline, a NUL, a terminal escape)
// become \xNN, and anything past maxBytes is cut and marked with "...".
std::string PrintableExcerpt(std::string_view text, std::size_t maxBytes = std::string_view::npos);
