#include "app/qt/qt_options.h"

namespace {

constexpr ForeignOption kQtOptions[] = {
    {"-platform", true},        {"-platformpluginpath", true}, {"-platformtheme", true}, {"-plugin", true},
    {"-qwindowgeometry", true}, {"-qwindowicon", true},        {"-qwindowtitle", true},  {"-session", true},
    {"-display", true},         {"-geometry", true},           {"-style", true},         {"-stylesheet", true},
    {"-reverse", false},        {"-widgetcount", false},
};

}  // namespace

std::span<const ForeignOption> QtOptions() { return kQtOptions; }

const char* QtOptionsNote() {
  return "Qt's own options (-platform NAME, -display DISPLAY, -style STYLE, -geometry GEOMETRY and the others "
         "Qt reads) are handed on to Qt.";
}

QtArguments::QtArguments(const char* program, const std::vector<std::string>& toolkitArguments) {
  words_.push_back(program);
  words_.insert(words_.end(), toolkitArguments.begin(), toolkitArguments.end());
  for (std::string& word : words_) pointers_.push_back(word.data());
  count_ = static_cast<int>(words_.size());
  pointers_.push_back(nullptr);
}
