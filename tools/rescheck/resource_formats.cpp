#include "resource_formats.h"

#include "byte_reader.h"

namespace {

constexpr std::uint16_t kMenuPopup = 0x0010;
constexpr std::uint16_t kMenuEnd = 0x0080;
constexpr std::uint16_t kAcceleratorEnd = 0x0080;
constexpr std::uint32_t kDsSetFont = 0x40;
// Menus nest; a corrupt one must not recurse without bound.
constexpr int kMaxMenuDepth = 16;

bool Fail(std::string& error, const char* message) {
  error = message;
  return false;
}

TextOrNumber ReadTextOrNumber(ByteReader& reader) {
  TextOrNumber value;
  const std::uint16_t first = reader.U16();
  if (first == 0xFFFF) {
    value.isNumber = true;
    value.number = reader.U16();
  } else if (first != 0) {
    std::u16string text(1, static_cast<char16_t>(first));
    text += reader.Utf16z();
    value.text = Utf16ToUtf8(text);
  }
  return value;
}

bool ReadMenuLevel(ByteReader& reader, int depth, std::vector<MenuItem>& items, std::string& error) {
  if (depth > kMaxMenuDepth) return Fail(error, "menu nested too deeply");
  for (;;) {
    MenuItem item;
    const std::uint16_t flags = reader.U16();
    item.flags = flags & static_cast<std::uint16_t>(~kMenuEnd);
    if (!(flags & kMenuPopup)) item.command = reader.U16();
    item.text = Utf16ToUtf8(reader.Utf16z());
    if (reader.Failed()) return Fail(error, "menu cut short (no end-of-level item)");
    if (flags & kMenuPopup) {
      if (!ReadMenuLevel(reader, depth + 1, item.children, error)) return false;
    }
    items.push_back(std::move(item));
    if (flags & kMenuEnd) return true;
  }
}

}  // namespace

bool DecodeStringBlock(const std::vector<std::uint8_t>& data, std::uint16_t blockName,
                       std::map<std::uint16_t, std::string>& strings, std::string& error) {
  strings.clear();
  if (blockName == 0) return Fail(error, "string block 0 does not exist");
  ByteReader reader(data);
  const std::uint16_t firstId = static_cast<std::uint16_t>((blockName - 1) * 16);
  for (std::uint16_t slot = 0; slot < 16; ++slot) {
    const std::uint16_t length = reader.U16();
    std::u16string text;
    for (std::uint16_t i = 0; i < length; ++i) text.push_back(reader.U16());
    if (reader.Failed()) return Fail(error, "string block cut short");
    if (length > 0) strings[static_cast<std::uint16_t>(firstId + slot)] = Utf16ToUtf8(text);
  }
  return true;
}

bool DecodeMenu(const std::vector<std::uint8_t>& data, std::vector<MenuItem>& items, std::string& error) {
  items.clear();
  ByteReader reader(data);
  const std::uint16_t version = reader.U16();
  const std::uint16_t headerSize = reader.U16();
  if (reader.Failed()) return Fail(error, "menu header cut short");
  if (version != 0) return Fail(error, "not a classic menu template");
  reader.Skip(headerSize);
  return ReadMenuLevel(reader, 0, items, error);
}

bool DecodeAccelerators(const std::vector<std::uint8_t>& data, std::vector<Accelerator>& table,
                        std::string& error) {
  table.clear();
  ByteReader reader(data);
  for (;;) {
    Accelerator entry;
    const std::uint16_t flags = reader.U16();
    entry.flags = flags & static_cast<std::uint16_t>(~kAcceleratorEnd);
    entry.key = reader.U16();
    entry.command = reader.U16();
    reader.Skip(2);
    if (reader.Failed()) return Fail(error, "accelerator table cut short (no last entry)");
    table.push_back(entry);
    if (flags & kAcceleratorEnd) return true;
  }
}

bool DecodeDialog(const std::vector<std::uint8_t>& data, Dialog& dialog, std::string& error) {
  dialog = Dialog{};
  ByteReader reader(data);
  if (data.size() >= 4 && data[2] == 0xFF && data[3] == 0xFF) return Fail(error, "extended dialog template");
  dialog.style = reader.U32();
  dialog.extendedStyle = reader.U32();
  const std::uint16_t count = reader.U16();
  dialog.x = static_cast<std::int16_t>(reader.U16());
  dialog.y = static_cast<std::int16_t>(reader.U16());
  dialog.width = static_cast<std::int16_t>(reader.U16());
  dialog.height = static_cast<std::int16_t>(reader.U16());
  dialog.menu = ReadTextOrNumber(reader);
  dialog.windowClass = ReadTextOrNumber(reader);
  dialog.caption = Utf16ToUtf8(reader.Utf16z());
  if (dialog.style & kDsSetFont) {
    dialog.hasFont = true;
    dialog.pointSize = reader.U16();
    dialog.typeface = Utf16ToUtf8(reader.Utf16z());
  }
  if (reader.Failed()) return Fail(error, "dialog header cut short");
  for (std::uint16_t i = 0; i < count; ++i) {
    // Every control starts on a 4-byte boundary of the template.
    reader.Align(4);
    DialogControl control;
    control.style = reader.U32();
    control.extendedStyle = reader.U32();
    control.x = static_cast<std::int16_t>(reader.U16());
    control.y = static_cast<std::int16_t>(reader.U16());
    control.width = static_cast<std::int16_t>(reader.U16());
    control.height = static_cast<std::int16_t>(reader.U16());
    control.id = reader.U16();
    control.windowClass = ReadTextOrNumber(reader);
    control.title = ReadTextOrNumber(reader);
    control.extraBytes = reader.U16();
    reader.Skip(control.extraBytes);
    if (reader.Failed()) return Fail(error, "dialog control cut short");
    dialog.controls.push_back(std::move(control));
  }
  return true;
}

bool DecodeIconGroup(const std::vector<std::uint8_t>& data, std::vector<IconGroupEntry>& entries,
                     std::string& error) {
  entries.clear();
  ByteReader reader(data);
  const std::uint16_t reserved = reader.U16();
  const std::uint16_t type = reader.U16();
  const std::uint16_t count = reader.U16();
  if (reader.Failed()) return Fail(error, "icon group header cut short");
  if (reserved != 0 || type != 1) return Fail(error, "not an icon group");
  for (std::uint16_t i = 0; i < count; ++i) {
    IconGroupEntry entry;
    entry.width = reader.U8();
    entry.height = reader.U8();
    entry.colourCount = reader.U8();
    reader.Skip(1);
    entry.planes = reader.U16();
    entry.bitCount = reader.U16();
    entry.bytes = reader.U32();
    entry.iconId = reader.U16();
    if (reader.Failed()) return Fail(error, "icon group cut short");
    entries.push_back(entry);
  }
  return true;
}

bool DecodeIconImage(const std::vector<std::uint8_t>& data, IconImage& image, std::string& error) {
  image = IconImage{};
  if (data.size() >= 8 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G')
    return Fail(error, "icon image is PNG-compressed, not a DIB");
  ByteReader reader(data);
  const std::uint32_t headerSize = reader.U32();
  image.width = static_cast<std::int32_t>(reader.U32());
  image.height = static_cast<std::int32_t>(reader.U32());
  reader.Skip(2);
  image.bitCount = reader.U16();
  if (reader.Failed() || headerSize < 40) return Fail(error, "icon image header cut short");
  return true;
}
