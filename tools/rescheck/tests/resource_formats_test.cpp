#include <gtest/gtest.h>

#include "byte_reader.h"
#include "resource_bytes.h"

namespace {

std::string lastError;
std::vector<MenuItem> menu;
std::vector<Accelerator> accelerators;
Dialog dialog;

bool Strings(const Data& d) { std::map<std::uint16_t, std::string> s; return DecodeStringBlock(d, 7, s, lastError); }
bool Menu(const Data& d) { return DecodeMenu(d, menu, lastError); }
bool Accelerators(const Data& d) { return DecodeAccelerators(d, accelerators, lastError); }
bool Dialogs(const Data& d) { return DecodeDialog(d, dialog, lastError); }
bool Group(const Data& d) { std::vector<IconGroupEntry> group; return DecodeIconGroup(d, group, lastError); }
bool Icon(const Data& d) { IconImage icon; return DecodeIconImage(d, icon, lastError); }

std::string Flat(const std::vector<MenuItem>& items) {
  std::string out;
  for (const MenuItem& i : items)
    out += std::to_string(i.flags) + " " + std::to_string(i.command) + " " + i.text + " {" + Flat(i.children) + "} ";
  return out;
}

const std::vector<MenuItem> kMenu = {
    {0x10, 0, "File", {{0, 105, "Exit", {}}, {0x10, 0, "Inner", {{0, 7, "ｺｲﾝ", {}}}}}},
    {0, 8, "After", {}}};  // back at the top level after a nested popup
const std::vector<Accelerator> kAccelerators = {{0x10, '?', 104}, {0x11, 0x70, 105}};

// "Hi!" and its three extra bytes leave the next control off a 4-byte boundary.
Dialog SampleDialog(std::uint32_t style) {
  Dialog d{.style = style, .x = 1, .y = -2, .width = 30, .height = 40, .menu = {true, 5}, .caption = "Cap"};
  if (style & 0x40) d.pointSize = 8, d.typeface = "System";
  d.controls = {{0x50000000, 0, 3, 4, 5, 6, 7, {true, 0x82}, {.text = "Hi!"}, 3},
                {0x50010001, 4, 9, 10, 11, 12, 1, {.text = "Btn"}, {true, 107}}};
  return d;
}

TEST(Decoders, NestedMenusAcceleratorsAndDialogsComeBackAsBuilt) {
  ASSERT_TRUE(Menu(MenuBytes(kMenu))) << lastError;
  EXPECT_EQ(Flat(menu), Flat(kMenu));

  auto table = AcceleratorBytes(kAccelerators);
  table.insert(table.end(), 8, 0xAB);  // padding after the flagged last entry is not an entry
  ASSERT_TRUE(Accelerators(table)) << lastError;
  ASSERT_EQ(accelerators.size(), 2u);
  EXPECT_EQ(std::tie(accelerators[1].flags, accelerators[1].key, accelerators[1].command),
            std::tie(kAccelerators[1].flags, kAccelerators[1].key, kAccelerators[1].command));

  ASSERT_TRUE(Dialogs(DialogBytes(SampleDialog(0)))) << lastError;  // no font
  EXPECT_EQ(std::tie(dialog.hasFont, dialog.menu.number), std::make_tuple(false, std::uint16_t{5}));
  ASSERT_EQ(dialog.controls.size(), 2u);
  const DialogControl& c = dialog.controls[1];
  EXPECT_EQ(std::tie(c.style, c.extendedStyle, c.id, c.windowClass.text, c.title.number),
            std::make_tuple(0x50010001u, 4u, std::uint16_t{1}, std::string("Btn"), std::uint16_t{107}));
}

TEST(Decoders, CutShortOrForeignDataIsAnErrorNotACrash) {
  const std::pair<Data, bool (*)(const Data&)> whole[] = {
      {StringBlockBytes({"ab", "", "c"}), Strings},     {MenuBytes(kMenu), Menu},
      {AcceleratorBytes(kAccelerators), Accelerators}, {DialogBytes(SampleDialog(0x40)), Dialogs},
      {IconGroupBytes({{16, 16, 16, 1, 4, 1, 2}}), Group}};
  for (const auto& [bytes, decode] : whole) {
    ASSERT_TRUE(decode(bytes)) << lastError;
    for (std::size_t length = 0; length < bytes.size(); ++length)
      EXPECT_FALSE(decode(Data(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length))))
          << "cut to " << length << " of " << bytes.size();
  }
  const std::pair<Data, bool (*)(const Data&)> foreign[] = {
      {Bytes().U16(1).U16(4).U32(0).data, Menu},                       // extended menu
      {Bytes().U16(1).U16(0xFFFF).U32(0).U32(0).U32(0).data, Dialogs},  // extended dialog
      {Bytes().U16(0).U16(2).U16(0).data, Group},                      // cursor group
      {{0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0}, Icon},
      {Data(20, 0), Icon}};  // header size 0
  for (const auto& [bytes, decode] : foreign) EXPECT_FALSE(decode(bytes)) << bytes.size() << " bytes";
}

TEST(Utf16, ConvertsSurrogatePairsAndReplacesLoneSurrogates) {
  EXPECT_EQ(Utf16ToUtf8(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800') + u"a"), "\xEF\xBF\xBD" "a");
}

}  // namespace
