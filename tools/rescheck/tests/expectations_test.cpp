#include <gtest/gtest.h>

#include <functional>

#include "marobel_expectations.h"
#include "resource_bytes.h"

namespace {

// A faithful set of the game's resources, which each case then spoils in
// one way.
struct GameResources {
  std::vector<std::string> strings = {"", "", "", "", "", "", "", "Marobel ～Orvik～", "", "", "", "", "", "MY"};
  std::vector<MenuItem> menu = {{0x10, 0, "ﾌｧｲﾙ(&F)", {{0, 105, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", {}}}},
                                {0x10, 0, "ﾍﾙﾌﾟ(&H)", {{0, 104, "ﾊﾞｰｼﾞｮﾝ情報(&A) ...", {}}}}};
  std::vector<Accelerator> accelerators = {{0x10, '?', 104}, {0x10, '/', 104}};
  Dialog dialog{
      .style = 0x00C800C0, .x = 22, .y = 17, .width = 230, .height = 75, .caption = "ﾊﾞｰｼﾞｮﾝ情報",
      .pointSize = 8, .typeface = "System",
      .controls = {// style, extended style, x, y, width, height, id, class, title
                   {0x50000003, 0, 16, 51, 20, 20, 2, {true, 0x82}, {true, 107}},
                   {0x50020080, 0, 49, 48, 137, 8, 0xFFFF, {true, 0x82}, {.text = "Marobel ～Orvik～ Version 1.0"}},
                   {0x50030001, 0, 188, 55, 30, 11, 1, {true, 0x80}, {.text = "OK"}}}};
  std::uint16_t appIconBits = 4;
  std::uint16_t subsystem = 2;
  std::vector<Resource> extra;

  PeImage Build() const {
    std::vector<Resource> list = {Res(6, 7, StringBlockBytes(strings)), Res(4, 109, MenuBytes(menu)),
                                  Res(9, 109, AcceleratorBytes(accelerators)), Res(5, 103, DialogBytes(dialog))};
    const auto icon = [&](std::uint16_t id, std::uint8_t size, std::uint16_t bits) {
      list.push_back(Res(3, id, IconImageBytes(size, bits)));
      const auto colours = static_cast<std::uint8_t>(bits < 8 ? 1 << bits : 0);
      return IconGroupEntry{size, size, colours, 1, bits, static_cast<std::uint32_t>(list.back().data.size()), id};
    };
    const Data appIcon = IconGroupBytes({icon(1, 32, appIconBits), icon(2, 16, appIconBits)});
    const Data smallIcon = IconGroupBytes({icon(3, 16, 4)});
    list.insert(list.end(), {Res(14, 107, appIcon), Res(14, 108, smallIcon)});
    list.insert(list.end(), extra.begin(), extra.end());
    PeImage image;
    std::string error;
    EXPECT_TRUE(ReadPeImage(BuildPe(list, subsystem), image, error)) << error;
    return image;
  }
};

std::string Report(const PeImage& image) {
  std::string all;
  for (const auto& line : CheckMarobelResources(image)) all += line + "\n";
  return all;
}

TEST(GameResourceCheck, FaithfulResourcesPass) { EXPECT_EQ(Report(GameResources{}.Build()), ""); }

TEST(GameResourceCheck, EachSingleFaultIsReportedByName) {
  using R = GameResources&;
  const std::pair<std::function<void(R)>, const char*> faults[] = {  // the spoiling, a phrase the report names
      {[](R r) { r.strings[7] = "Marobel ~Orvik~"; }, "string 103"},
      {[](R r) { r.strings[13] = "My"; }, "string 109"},
      {[](R r) { r.accelerators[0].key = '!'; }, "accelerator 1 key"},
      {[](R r) { r.accelerators[1].flags = 0x11; }, "accelerator 2 flags"},  // a virtual key
      {[](R r) { r.accelerators[1].command = 105; }, "accelerator 2 command"},
      {[](R r) { r.accelerators.pop_back(); }, "accelerator entries"},
      {[](R r) { std::swap(r.menu[0].children[0].command, r.menu[1].children[0].command); }, "popup 1 item command"},
      {[](R r) { r.menu[1].text = "ﾍﾙﾌﾟ"; }, "popup 2 text"},
      {[](R r) { r.menu[0].children[0].text = "ｱﾌﾟﾘｹｰｼｮﾝの終了"; }, "popup 1 item text"},
      {[](R r) { r.dialog.controls[1].style &= ~0x00020000u; }, "text control style"},
      {[](R r) { r.dialog.controls[1].title.text = "Marobel"; }, "text control text"},
      {[](R r) { r.dialog.controls[0].width = 0; }, "icon control width"},
      {[](R r) { r.dialog.controls[0].title.number = 108; }, "icon control icon"},
      {[](R r) { r.dialog.controls[2].style &= ~1u; }, "OK button style"},  // not the default button
      {[](R r) { r.dialog.controls[2].x = 187; }, "OK button x"},
      {[](R r) { r.dialog.controls.pop_back(); }, "dialog controls"},
      {[](R r) { r.dialog.style |= 0x80000000u; }, "dialog style"},  // a popup window
      {[](R r) { r.dialog.y = 18; }, "dialog y"},
      {[](R r) { r.dialog.height = 76; }, "dialog height"},
      {[](R r) { r.dialog.typeface = "Courier"; }, "dialog font"},
      {[](R r) { r.appIconBits = 8; }, "bits per pixel"},
      {[](R r) { r.subsystem = 3; }, "not a GUI program"},
      {[](R r) { r.extra.push_back(Res(4, 109, MenuBytes(r.menu), 0x409)); }, "also present in language"},
  };
  for (const auto& [spoil, reported] : faults) {
    GameResources resources;
    spoil(resources);
    const std::string report = Report(resources.Build());
    EXPECT_NE(report.find(reported), std::string::npos) << reported << " not in:\n" << report;
  }
}

TEST(GameResourceCheck, MissingResourcesAreReportedNotSkipped) {
  const std::string report = Report(PeImage{2, {}});
  for (const char* what : {"string block 7", "menu 109", "accelerator table 109", "dialog 103", "icon group 107",
                           "icon group 108"})
    EXPECT_NE(report.find(std::string(what) + " missing"), std::string::npos) << what;
}

}  // namespace
