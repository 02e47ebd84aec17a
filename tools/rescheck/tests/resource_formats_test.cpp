#include <gtest/gtest.h>

#include "byte_reader.h"
#include "resource_bytes.h"
#include "resource_formats.h"

namespace {

TEST(StringBlock, SlotsMapToIdsOfTheirBlockAndEmptySlotsAreLeftOut) {
  std::vector<std::u16string> slots(16);
  slots[7] = u"title";
  slots[13] = u"MY";
  std::map<std::uint16_t, std::string> strings;
  std::string error;
  ASSERT_TRUE(DecodeStringBlock(StringBlockBytes(slots), 7, strings, error)) << error;
  ASSERT_EQ(strings.size(), 2u);
  EXPECT_EQ(strings.at(103), "title");
  EXPECT_EQ(strings.at(109), "MY");
}

TEST(StringBlock, LengthPastTheEndIsAnError) {
  Bytes b;
  b.U16(40).U16('a');
  std::map<std::uint16_t, std::string> strings;
  std::string error;
  EXPECT_FALSE(DecodeStringBlock(b.data, 1, strings, error));
  EXPECT_FALSE(error.empty());
}

TEST(Menu, PopupsAndItemsComeBackInOrderWithoutTheEndBit) {
  const auto bytes = MenuBytes({{u"File", {{105, u"Exit"}}}, {u"Help", {{104, u"About"}, {106, u"More"}}}});
  std::vector<MenuItem> items;
  std::string error;
  ASSERT_TRUE(DecodeMenu(bytes, items, error)) << error;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, "File");
  EXPECT_EQ(items[0].flags, 0x10);
  ASSERT_EQ(items[0].children.size(), 1u);
  EXPECT_EQ(items[0].children[0].command, 105);
  EXPECT_EQ(items[0].children[0].flags, 0);
  EXPECT_EQ(items[1].flags, 0x10);
  ASSERT_EQ(items[1].children.size(), 2u);
  EXPECT_EQ(items[1].children[1].text, "More");
  EXPECT_EQ(items[1].children[1].command, 106);
}

TEST(Menu, NestedPopupReturnsToItsParentLevel) {
  Bytes b;
  b.U16(0).U16(0);
  b.U16(0x10).Text(u"Outer");
  b.U16(0x10 | 0x80).Text(u"Inner");  // last item of Outer, itself a popup
  b.U16(0x80).U16(7).Text(u"Deep");
  b.U16(0x80).U16(8).Text(u"After");  // back at the top level
  std::vector<MenuItem> items;
  std::string error;
  ASSERT_TRUE(DecodeMenu(b.data, items, error)) << error;
  ASSERT_EQ(items.size(), 2u);
  ASSERT_EQ(items[0].children.size(), 1u);
  ASSERT_EQ(items[0].children[0].children.size(), 1u);
  EXPECT_EQ(items[0].children[0].children[0].command, 7);
  EXPECT_EQ(items[1].text, "After");
  EXPECT_EQ(items[1].command, 8);
}

TEST(Menu, MissingEndItemOrWrongVersionIsAnError) {
  Bytes open;
  open.U16(0).U16(0).U16(0x10).Text(u"File").U16(0).U16(1).Text(u"Item");
  std::vector<MenuItem> items;
  std::string error;
  EXPECT_FALSE(DecodeMenu(open.data, items, error));
  Bytes extended;
  extended.U16(1).U16(4).U32(0);
  EXPECT_FALSE(DecodeMenu(extended.data, items, error));
}

TEST(Accelerators, TableEndsAtTheFlaggedEntry) {
  auto bytes = AcceleratorBytes({{0x10, '?', 104}, {0x11, 0x70, 105}});
  bytes.insert(bytes.end(), 8, 0xAB);  // padding after the table is not an entry
  std::vector<Accelerator> table;
  std::string error;
  ASSERT_TRUE(DecodeAccelerators(bytes, table, error)) << error;
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table[0].flags, 0x10);
  EXPECT_EQ(table[0].key, '?');
  EXPECT_EQ(table[1].flags, 0x11);
  EXPECT_EQ(table[1].command, 105);
}

TEST(Accelerators, TableWithoutLastEntryIsAnError) {
  Bytes b;
  b.U16(0x10).U16('/').U16(104).U16(0);
  std::vector<Accelerator> table;
  std::string error;
  EXPECT_FALSE(DecodeAccelerators(b.data, table, error));
}

DialogSpec TwoControlDialog(std::uint32_t style) {
  DialogSpec d{style, 1, 2, 30, 40, u"Cap", 8, u"System", {}};
  // "Hi!" leaves the first control at an offset that is not a multiple of 4.
  d.controls.push_back({0x50000000, 3, 4, 5, 6, 7, 0x82, false, 0, u"Hi!", {1, 2, 3}});
  d.controls.push_back({0x50010001, 9, 10, 11, 12, 1, 0x80, true, 107, u"", {}});
  return d;
}

TEST(DialogTemplate, ControlsStartOnFourByteBoundariesAfterExtraData) {
  Dialog d;
  std::string error;
  ASSERT_TRUE(DecodeDialog(DialogBytes(TwoControlDialog(0x40)), d, error)) << error;
  EXPECT_EQ(d.caption, "Cap");
  EXPECT_TRUE(d.hasFont);
  EXPECT_EQ(d.pointSize, 8);
  EXPECT_EQ(d.typeface, "System");
  EXPECT_EQ(d.x, 1);
  EXPECT_EQ(d.height, 40);
  ASSERT_EQ(d.controls.size(), 2u);
  EXPECT_EQ(d.controls[0].title.text, "Hi!");
  EXPECT_EQ(d.controls[0].extraBytes, 3);
  EXPECT_EQ(d.controls[1].style, 0x50010001u);
  EXPECT_EQ(d.controls[1].x, 9);
  EXPECT_EQ(d.controls[1].id, 1);
  EXPECT_TRUE(d.controls[1].windowClass.isNumber);
  EXPECT_EQ(d.controls[1].windowClass.number, 0x80);
  EXPECT_TRUE(d.controls[1].title.isNumber);
  EXPECT_EQ(d.controls[1].title.number, 107);
}

TEST(DialogTemplate, FontIsReadOnlyWhenTheStyleAsksForIt) {
  Dialog d;
  std::string error;
  ASSERT_TRUE(DecodeDialog(DialogBytes(TwoControlDialog(0)), d, error)) << error;
  EXPECT_FALSE(d.hasFont);
  ASSERT_EQ(d.controls.size(), 2u);
  EXPECT_EQ(d.controls[0].title.text, "Hi!");
}

TEST(DialogTemplate, CutShortOrExtendedTemplatesAreErrors) {
  auto bytes = DialogBytes(TwoControlDialog(0x40));
  Dialog d;
  std::string error;
  auto cut = bytes;
  cut.resize(bytes.size() - 6);
  EXPECT_FALSE(DecodeDialog(cut, d, error));
  Bytes extended;
  extended.U16(1).U16(0xFFFF).U32(0).U32(0).U32(0);
  EXPECT_FALSE(DecodeDialog(extended.data, d, error));
}

TEST(Icons, GroupEntriesAndImageHeaderAreDecoded) {
  std::vector<IconGroupEntry> entries;
  std::string error;
  ASSERT_TRUE(DecodeIconGroup(IconGroupBytes({{32, 4, 1}, {16, 8, 2}}, {744, 1128}), entries, error)) << error;
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].width, 32);
  EXPECT_EQ(entries[0].colourCount, 16);
  EXPECT_EQ(entries[0].bitCount, 4);
  EXPECT_EQ(entries[0].bytes, 744u);
  EXPECT_EQ(entries[1].iconId, 2);
  EXPECT_EQ(entries[1].bitCount, 8);

  IconImage image;
  const auto dib = IconImageBytes(32, 4);
  EXPECT_EQ(dib.size(), 744u);  // header, 16 colours, colour rows and mask rows
  ASSERT_TRUE(DecodeIconImage(dib, image, error)) << error;
  EXPECT_EQ(image.width, 32);
  EXPECT_EQ(image.height, 64);
  EXPECT_EQ(image.bitCount, 4);
}

TEST(Icons, PngImagesAndCursorGroupsAreRejected) {
  IconImage image;
  std::string error;
  const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0};
  EXPECT_FALSE(DecodeIconImage(png, image, error));
  Bytes cursorGroup;
  cursorGroup.U16(0).U16(2).U16(0);
  std::vector<IconGroupEntry> entries;
  EXPECT_FALSE(DecodeIconGroup(cursorGroup.data, entries, error));
}

TEST(Utf16, ConvertsKatakanaSurrogatePairsAndLoneSurrogates) {
  EXPECT_EQ(Utf16ToUtf8(u"\xFF8A\x60C5"), "\xEF\xBE\x8A\xE6\x83\x85");
  EXPECT_EQ(Utf16ToUtf8(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800') + u"a"), "\xEF\xBF\xBD" "a");
  EXPECT_EQ(U16("\xEF\xBD\x9E"), u"\xFF5E");
}

TEST(ByteReader, ReadsPastTheEndFailAndYieldZero) {
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  ByteReader reader(bytes);
  EXPECT_EQ(reader.U16(), 0x0201);
  EXPECT_EQ(reader.U16(), 0);
  EXPECT_TRUE(reader.Failed());
  EXPECT_EQ(reader.U8(), 0);  // stays failed even though one byte is left
}

}  // namespace
