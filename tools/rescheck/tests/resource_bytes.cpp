#include "resource_bytes.h"

std::u16string U16(const std::string& utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    unsigned c = static_cast<unsigned char>(utf8[i]);
    int more = c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (more) c &= 0x3Fu >> more;
    while (more-- && i + 1 < utf8.size()) c = c << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
    out.push_back(static_cast<char16_t>(c));
  }
  return out;
}

Data StringBlockBytes(const std::vector<std::string>& slots) {
  Bytes b;
  for (std::size_t i = 0; i < 16; ++i) {
    const std::u16string s = i < slots.size() ? U16(slots[i]) : u"";
    b.U16(static_cast<unsigned>(s.size()));
    for (char16_t c : s) b.U16(c);
  }
  return b.data;
}

Data MenuBytes(const std::vector<MenuItem>& items, bool withHeader) {
  Bytes b;
  if (withHeader) b.U16(0).U16(0);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const bool popup = items[i].flags & 0x10;
    b.U16(items[i].flags | (i + 1 == items.size() ? 0x80 : 0));
    if (!popup) b.U16(items[i].command);
    b.Text(items[i].text).Append(popup ? MenuBytes(items[i].children, false) : Data{});
  }
  return b.data;
}

Data AcceleratorBytes(const std::vector<Accelerator>& table) {
  Bytes b;
  for (std::size_t i = 0; i < table.size(); ++i)
    b.U16(table[i].flags | (i + 1 == table.size() ? 0x80 : 0)).U16(table[i].key).U16(table[i].command).U16(0);
  return b.data;
}

Data DialogBytes(const Dialog& d) {
  Bytes b;
  b.U32(d.style).U32(d.extendedStyle).U16(static_cast<unsigned>(d.controls.size()));
  b.U16(d.x).U16(d.y).U16(d.width).U16(d.height).Field(d.menu).Field(d.windowClass).Text(d.caption);
  if (d.style & 0x40) b.U16(d.pointSize).Text(d.typeface);
  for (const DialogControl& c : d.controls) {
    b.Align(4).U32(c.style).U32(c.extendedStyle).U16(c.x).U16(c.y).U16(c.width).U16(c.height).U16(c.id);
    b.Field(c.windowClass).Field(c.title).U16(c.extraBytes).Pad(b.Size() + c.extraBytes);
  }
  return b.data;
}

Data IconGroupBytes(const std::vector<IconGroupEntry>& entries) {
  Bytes b;
  b.U16(0).U16(1).U16(static_cast<unsigned>(entries.size()));
  for (const IconGroupEntry& e : entries)
    b.U8(e.width).U8(e.height).U8(e.colourCount).U8(0).U16(e.planes).U16(e.bitCount).U32(e.bytes).U16(e.iconId);
  return b.data;
}

Data IconImageBytes(int size, std::uint16_t bitCount) {
  const auto side = static_cast<std::uint32_t>(size);
  return Bytes().U32(40).U32(side).U32(2 * side).U16(1).U16(bitCount).Pad(40 + side * side * (bitCount + 1) / 8).data;
}

Data BuildPe(const std::vector<Resource>& resources, std::uint16_t subsystem) {
  constexpr std::uint32_t kRva = 0x1000, kSubdirectory = 0x80000000u;
  const auto count = static_cast<std::uint32_t>(resources.size()), chains = 16 + 8 * count;
  Bytes tree;
  tree.Pad(chains + 64 * count).Put32At(12, count << 16);
  const auto entry = [&](std::uint32_t at, const ResourceName& key, std::uint32_t target) {
    // A string key points at its length-prefixed text, put wherever the tree ends.
    tree.Put32At(at, key.isNumber ? key.number : kSubdirectory | static_cast<std::uint32_t>(tree.Size()));
    tree.Put32At(at + 4, target);
    if (!key.isNumber) tree.U16(static_cast<unsigned>(key.text.size()));
    for (char c : key.text) tree.U16(static_cast<unsigned char>(c));
  };
  for (std::uint32_t i = 0; i < count; ++i) {
    const Resource& r = resources[i];
    const std::uint32_t base = chains + 64 * i;
    entry(16 + 8 * i, r.type, kSubdirectory | base);
    entry(base + 16, r.name, kSubdirectory | (base + 24));
    entry(base + 40, ResourceName::Number(r.language), base + 48);
    tree.Put32At(base + 12, 1u << 16).Put32At(base + 36, 1u << 16);  // one entry each
    tree.Align(4).Put32At(base + 48, kRva + static_cast<std::uint32_t>(tree.Size()));
    tree.Put32At(base + 52, static_cast<std::uint32_t>(r.data.size())).Append(r.data);
  }
  const auto size = static_cast<std::uint32_t>(tree.Align(0x200).Size());

  Bytes pe;
  pe.U16(0x5A4D).Pad(0x3C).U32(0x40).U32(0x4550);
  pe.U16(0x8664).U16(1).U32(0).U32(0).U32(0).U16(240).U16(0x22);  // one section, optional header of 240
  pe.U16(0x20B).Pad(0x58 + 68).U16(subsystem).Pad(0x58 + 108).U32(16);
  for (int i = 0; i < 16; ++i) pe.U32(i == 2 ? kRva : 0).U32(i == 2 ? size : 0);
  pe.U32(0x7273722E).U32(0x63).U32(size).U32(kRva).U32(size).U32(kResourceSectionOffset);  // ".rsrc"
  return pe.U32(0).U32(0).U32(0).U32(0x40000040).Pad(kResourceSectionOffset).Append(tree.data).data;
}
