#include <gtest/gtest.h>

#include <functional>

#include "marobel_expectations.h"
#include "resource_bytes.h"

namespace {

constexpr std::uint16_t kJapanese = 0x411;

// A faithful set of the game's resources, which each test then spoils in
// one way.
struct GameResources {
  std::u16string title = U16("Marobel \xEF\xBD\x9EOrvik\xEF\xBD\x9E");
  std::vector<MenuSpec> menu = {
      {U16("\xEF\xBE\x8C\xEF\xBD\xA7\xEF\xBD\xB2\xEF\xBE\x99(&F)"),
       {{105, U16("\xEF\xBD\xB1\xEF\xBE\x8C\xEF\xBE\x9F\xEF\xBE\x98\xEF\xBD\xB9\xEF\xBD\xB0\xEF\xBD\xBC\xEF\xBD\xAE"
                  "\xEF\xBE\x9D\xE3\x81\xAE\xE7\xB5\x82\xE4\xBA\x86(&X)")}}},
      {U16("\xEF\xBE\x8D\xEF\xBE\x99\xEF\xBE\x8C\xEF\xBE\x9F(&H)"),
       {{104, U16("\xEF\xBE\x8A\xEF\xBE\x9E\xEF\xBD\xB0\xEF\xBD\xBC\xEF\xBE\x9E\xEF\xBD\xAE\xEF\xBE\x9D\xE6\x83\x85"
                  "\xE5\xA0\xB1(&A) ...")}}}};
  std::vector<AccelSpec> accelerators = {{0x10, '?', 104}, {0x10, '/', 104}};
  DialogSpec dialog{0x00C800C0,
                    22,
                    17,
                    230,
                    75,
                    U16("\xEF\xBE\x8A\xEF\xBE\x9E\xEF\xBD\xB0\xEF\xBD\xBC\xEF\xBE\x9E\xEF\xBD\xAE\xEF\xBE\x9D"
                        "\xE6\x83\x85\xE5\xA0\xB1"),
                    8,
                    u"System",
                    {{0x50000003, 16, 51, 20, 20, 2, 0x82, true, 107, u"", {}},
                     {0x50020080, 49, 48, 137, 8, 0xFFFF, 0x82, false, 0,
                      U16("Marobel \xEF\xBD\x9EOrvik\xEF\xBD\x9E Version 1.0"), {}},
                     {0x50030001, 188, 55, 30, 11, 1, 0x80, false, 0, u"OK", {}}}};
  std::uint16_t appIconBits = 4;
  std::uint16_t subsystem = 2;
  std::vector<Resource> extra;

  PeImage Build() const {
    std::vector<Resource> list;
    std::vector<std::u16string> slots(16);
    slots[7] = title;
    slots[13] = u"MY";
    list.push_back(MakeResource(6, 7, kJapanese, StringBlockBytes(slots)));
    list.push_back(MakeResource(4, 109, kJapanese, MenuBytes(menu)));
    list.push_back(MakeResource(9, 109, kJapanese, AcceleratorBytes(accelerators)));
    list.push_back(MakeResource(5, 103, kJapanese, DialogBytes(dialog)));
    const auto big = IconImageBytes(32, appIconBits);
    const auto small = IconImageBytes(16, appIconBits);
    const auto smallOther = IconImageBytes(16, 4);
    list.push_back(MakeResource(3, 1, kJapanese, big));
    list.push_back(MakeResource(3, 2, kJapanese, small));
    list.push_back(MakeResource(3, 3, kJapanese, smallOther));
    list.push_back(MakeResource(14, 107, kJapanese,
                                IconGroupBytes({{32, appIconBits, 1}, {16, appIconBits, 2}},
                                               {static_cast<std::uint32_t>(big.size()),
                                                static_cast<std::uint32_t>(small.size())})));
    list.push_back(MakeResource(14, 108, kJapanese,
                                IconGroupBytes({{16, 4, 3}}, {static_cast<std::uint32_t>(smallOther.size())})));
    list.insert(list.end(), extra.begin(), extra.end());
    PeImage image;
    std::string error;
    EXPECT_TRUE(ReadPeImage(BuildPe(list, subsystem), image, error)) << error;
    return image;
  }
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const auto& l : lines) all += l + "\n";
  return all;
}

TEST(GameResourceCheck, FaithfulResourcesPass) {
  const auto problems = CheckMarobelResources(GameResources{}.Build());
  EXPECT_TRUE(problems.empty()) << Joined(problems);
}

struct Fault {
  const char* name;
  std::function<void(GameResources&)> spoil;
  const char* reported;  // a phrase the report must contain
};

TEST(GameResourceCheck, EachFaultIsReportedByName) {
  const Fault faults[] = {
      {"ASCII tildes in the title", [](GameResources& r) { r.title = u"Marobel ~Orvik~"; }, "string 103"},
      {"accelerator as a virtual key", [](GameResources& r) { r.accelerators[1].flags = 0x11; },
       "accelerator 2 flags"},
      {"one accelerator only", [](GameResources& r) { r.accelerators.pop_back(); }, "accelerator entries"},
      {"menu commands swapped",
       [](GameResources& r) { std::swap(r.menu[0].items[0].first, r.menu[1].items[0].first); },
       "popup 1 item command"},
      {"menu text without its mnemonic", [](GameResources& r) { r.menu[1].popup = U16("\xEF\xBE\x8D\xEF\xBE\x99\xEF\xBE\x8C\xEF\xBE\x9F"); },
       "popup 2 text"},
      {"text control outside its group", [](GameResources& r) { r.dialog.controls[1].style &= ~0x00020000u; },
       "text control style"},
      {"icon control without a size", [](GameResources& r) { r.dialog.controls[0].w = 0; }, "icon control width"},
      {"icon control showing another icon", [](GameResources& r) { r.dialog.controls[0].titleNumber = 108; },
       "icon control icon"},
      {"button not the default one", [](GameResources& r) { r.dialog.controls[2].style &= ~1u; },
       "OK button style"},
      {"dialog a popup window", [](GameResources& r) { r.dialog.style |= 0x80000000u; }, "dialog style"},
      {"dialog moved", [](GameResources& r) { r.dialog.y = 18; }, "dialog y"},
      {"dialog in another font", [](GameResources& r) { r.dialog.typeface = u"MS Shell Dlg"; }, "dialog font"},
      {"256-colour icons", [](GameResources& r) { r.appIconBits = 8; }, "bits per pixel"},
      {"console program", [](GameResources& r) { r.subsystem = 3; }, "not a GUI program"},
      {"English copy of the menu",
       [](GameResources& r) { r.extra.push_back(MakeResource(4, 109, 0x409, MenuBytes(r.menu))); },
       "also present in language"},
  };
  for (const Fault& fault : faults) {
    GameResources resources;
    fault.spoil(resources);
    const std::string report = Joined(CheckMarobelResources(resources.Build()));
    EXPECT_NE(report.find(fault.reported), std::string::npos) << fault.name << " gave:\n" << report;
  }
}

TEST(GameResourceCheck, MissingResourcesAreReportedNotSkipped) {
  const auto problems = CheckMarobelResources(PeImage{2, {}});
  const std::string report = Joined(problems);
  for (const char* what : {"string block 7", "menu 109", "accelerator table 109", "dialog 103", "icon group 107",
                           "icon group 108"})
    EXPECT_NE(report.find(std::string(what) + " missing"), std::string::npos) << what;
}

}  // namespace
