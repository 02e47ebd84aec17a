#include "resource_bytes.h"

#include "byte_reader.h"

Bytes& Bytes::U8(std::uint8_t v) {
  data.push_back(v);
  return *this;
}
Bytes& Bytes::U16(std::uint16_t v) {
  data.push_back(static_cast<std::uint8_t>(v));
  data.push_back(static_cast<std::uint8_t>(v >> 8));
  return *this;
}
Bytes& Bytes::U32(std::uint32_t v) {
  U16(static_cast<std::uint16_t>(v));
  return U16(static_cast<std::uint16_t>(v >> 16));
}
Bytes& Bytes::Text(const std::u16string& s) {
  for (char16_t c : s) U16(c);
  return U16(0);
}
Bytes& Bytes::Align(std::size_t n) {
  while (data.size() % n) data.push_back(0);
  return *this;
}
Bytes& Bytes::Append(const std::vector<std::uint8_t>& other) {
  data.insert(data.end(), other.begin(), other.end());
  return *this;
}
void Bytes::Put32At(std::size_t offset, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) data[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::u16string U16(const std::string& utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    std::uint32_t cp;
    int extra;
    if (c < 0x80) cp = c, extra = 0;
    else if (c < 0xE0) cp = c & 0x1F, extra = 1;
    else if (c < 0xF0) cp = c & 0x0F, extra = 2;
    else cp = c & 0x07, extra = 3;
    ++i;
    for (int k = 0; k < extra && i < utf8.size(); ++k, ++i) cp = (cp << 6) | (utf8[i] & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::vector<std::uint8_t> MenuBytes(const std::vector<MenuSpec>& popups) {
  Bytes b;
  b.U16(0).U16(0);
  for (std::size_t p = 0; p < popups.size(); ++p) {
    b.U16(static_cast<std::uint16_t>(0x10 | (p + 1 == popups.size() ? 0x80 : 0))).Text(popups[p].popup);
    const auto& items = popups[p].items;
    for (std::size_t i = 0; i < items.size(); ++i)
      b.U16(i + 1 == items.size() ? 0x80 : 0).U16(items[i].first).Text(items[i].second);
  }
  return b.data;
}

std::vector<std::uint8_t> AcceleratorBytes(const std::vector<AccelSpec>& entries) {
  Bytes b;
  for (std::size_t i = 0; i < entries.size(); ++i)
    b.U16(static_cast<std::uint16_t>(entries[i].flags | (i + 1 == entries.size() ? 0x80 : 0)))
        .U16(entries[i].key)
        .U16(entries[i].command)
        .U16(0);
  return b.data;
}

std::vector<std::uint8_t> StringBlockBytes(const std::vector<std::u16string>& slots) {
  Bytes b;
  for (std::size_t i = 0; i < 16; ++i) {
    const std::u16string s = i < slots.size() ? slots[i] : u"";
    b.U16(static_cast<std::uint16_t>(s.size()));
    for (char16_t c : s) b.U16(c);
  }
  return b.data;
}

std::vector<std::uint8_t> DialogBytes(const DialogSpec& d) {
  Bytes b;
  b.U32(d.style).U32(0).U16(static_cast<std::uint16_t>(d.controls.size()));
  b.U16(static_cast<std::uint16_t>(d.x)).U16(static_cast<std::uint16_t>(d.y));
  b.U16(static_cast<std::uint16_t>(d.w)).U16(static_cast<std::uint16_t>(d.h));
  b.U16(0).U16(0).Text(d.caption);
  if (d.style & 0x40) b.U16(d.pointSize).Text(d.typeface);
  for (const ControlSpec& c : d.controls) {
    b.Align(4);
    b.U32(c.style).U32(0);
    b.U16(static_cast<std::uint16_t>(c.x)).U16(static_cast<std::uint16_t>(c.y));
    b.U16(static_cast<std::uint16_t>(c.w)).U16(static_cast<std::uint16_t>(c.h)).U16(c.id);
    b.U16(0xFFFF).U16(c.classAtom);
    if (c.titleIsNumber) b.U16(0xFFFF).U16(c.titleNumber);
    else b.Text(c.title);
    b.U16(static_cast<std::uint16_t>(c.extra.size())).Append(c.extra);
  }
  return b.data;
}

std::vector<std::uint8_t> IconGroupBytes(const std::vector<IconSpec>& icons,
                                         const std::vector<std::uint32_t>& byteCounts) {
  Bytes b;
  b.U16(0).U16(1).U16(static_cast<std::uint16_t>(icons.size()));
  for (std::size_t i = 0; i < icons.size(); ++i) {
    const std::uint8_t colours = icons[i].bitCount >= 8 ? 0 : static_cast<std::uint8_t>(1u << icons[i].bitCount);
    b.U8(icons[i].size).U8(icons[i].size).U8(colours).U8(0).U16(1).U16(icons[i].bitCount);
    b.U32(byteCounts[i]).U16(icons[i].id);
  }
  return b.data;
}

std::vector<std::uint8_t> IconImageBytes(int size, std::uint16_t bitCount) {
  Bytes b;
  b.U32(40).U32(static_cast<std::uint32_t>(size)).U32(static_cast<std::uint32_t>(2 * size)).U16(1).U16(bitCount);
  b.U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
  const int colours = bitCount <= 8 ? (1 << bitCount) : 0;
  for (int i = 0; i < colours; ++i) b.U32(0);
  const std::size_t xorRow = ((static_cast<std::size_t>(size) * bitCount + 31) / 32) * 4;
  const std::size_t andRow = ((static_cast<std::size_t>(size) + 31) / 32) * 4;
  b.data.resize(b.data.size() + (xorRow + andRow) * static_cast<std::size_t>(size), 0);
  return b.data;
}

Resource MakeResource(std::uint16_t type, std::uint16_t name, std::uint16_t language, std::vector<std::uint8_t> data) {
  Resource r;
  r.type = ResourceName::Number(type);
  r.name = ResourceName::Number(name);
  r.language = language;
  r.data = std::move(data);
  return r;
}

namespace {

struct NameGroup {
  ResourceName name;
  std::vector<const Resource*> languages;
};
struct TypeGroup {
  ResourceName type;
  std::vector<NameGroup> names;
};

constexpr std::uint32_t kSectionRva = 0x1000;

}  // namespace

std::vector<std::uint8_t> BuildPe(const std::vector<Resource>& resources, std::uint16_t subsystem) {
  std::vector<TypeGroup> types;
  for (const Resource& r : resources) {
    TypeGroup* t = nullptr;
    for (auto& g : types)
      if (g.type == r.type) t = &g;
    if (!t) t = &types.emplace_back(TypeGroup{r.type, {}});
    NameGroup* n = nullptr;
    for (auto& g : t->names)
      if (g.name == r.name) n = &g;
    if (!n) n = &t->names.emplace_back(NameGroup{r.name, {}});
    n->languages.push_back(&r);
  }

  // Layout: all directories first, then the data entries, then the name
  // strings, then the data, each part where the previous one ends.
  std::size_t directoriesSize = 16 + 8 * types.size();
  std::size_t entryCount = 0;
  for (const auto& t : types) {
    directoriesSize += 16 + 8 * t.names.size();
    for (const auto& n : t.names) {
      directoriesSize += 16 + 8 * n.languages.size();
      entryCount += n.languages.size();
    }
  }
  Bytes tree;
  tree.data.resize(directoriesSize + 16 * entryCount, 0);
  std::size_t nextDirectory = 0;
  std::size_t nextEntry = directoriesSize;
  std::vector<std::pair<std::size_t, const Resource*>> dataEntries;
  std::vector<std::pair<std::size_t, std::string>> namedFields;

  auto writeDirectory = [&](std::size_t at, std::size_t named, std::size_t numbered) {
    tree.data[at + 12] = static_cast<std::uint8_t>(named);
    tree.data[at + 14] = static_cast<std::uint8_t>(numbered);
  };
  auto writeKey = [&](std::size_t at, const ResourceName& key) {
    if (key.isNumber) tree.Put32At(at, key.number);
    else namedFields.emplace_back(at, key.text);
  };
  auto count = [](const auto& list, auto nameOf) {
    std::size_t named = 0;
    for (const auto& item : list) named += nameOf(item).isNumber ? 0 : 1;
    return std::pair<std::size_t, std::size_t>(named, list.size() - named);
  };

  const std::size_t root = nextDirectory;
  nextDirectory += 16 + 8 * types.size();
  auto [rootNamed, rootNumbered] = count(types, [](const TypeGroup& g) -> const ResourceName& { return g.type; });
  writeDirectory(root, rootNamed, rootNumbered);
  for (std::size_t ti = 0; ti < types.size(); ++ti) {
    const std::size_t typeDir = nextDirectory;
    nextDirectory += 16 + 8 * types[ti].names.size();
    writeKey(root + 16 + 8 * ti, types[ti].type);
    tree.Put32At(root + 16 + 8 * ti + 4, 0x80000000u | static_cast<std::uint32_t>(typeDir));
    auto [named, numbered] =
        count(types[ti].names, [](const NameGroup& g) -> const ResourceName& { return g.name; });
    writeDirectory(typeDir, named, numbered);
    for (std::size_t ni = 0; ni < types[ti].names.size(); ++ni) {
      const NameGroup& n = types[ti].names[ni];
      const std::size_t nameDir = nextDirectory;
      nextDirectory += 16 + 8 * n.languages.size();
      writeKey(typeDir + 16 + 8 * ni, n.name);
      tree.Put32At(typeDir + 16 + 8 * ni + 4, 0x80000000u | static_cast<std::uint32_t>(nameDir));
      writeDirectory(nameDir, 0, n.languages.size());
      for (std::size_t li = 0; li < n.languages.size(); ++li) {
        tree.Put32At(nameDir + 16 + 8 * li, n.languages[li]->language);
        tree.Put32At(nameDir + 16 + 8 * li + 4, static_cast<std::uint32_t>(nextEntry));
        dataEntries.emplace_back(nextEntry, n.languages[li]);
        nextEntry += 16;
      }
    }
  }
  for (const auto& [field, text] : namedFields) {
    tree.Put32At(field, 0x80000000u | static_cast<std::uint32_t>(tree.Size()));
    const std::u16string wide = U16(text);
    tree.U16(static_cast<std::uint16_t>(wide.size()));
    for (char16_t c : wide) tree.U16(c);
  }
  for (const auto& [entry, resource] : dataEntries) {
    tree.Align(4);
    tree.Put32At(entry, kSectionRva + static_cast<std::uint32_t>(tree.Size()));
    tree.Put32At(entry + 4, static_cast<std::uint32_t>(resource->data.size()));
    tree.Append(resource->data);
  }
  tree.Align(0x200);

  Bytes pe;
  pe.U16(0x5A4D);
  pe.data.resize(0x3C, 0);
  pe.U32(0x40);
  pe.U32(0x00004550);                                  // signature
  pe.U16(0x8664).U16(1).U32(0).U32(0).U32(0).U16(240).U16(0x22);  // file header
  const std::size_t optional = pe.Size();
  pe.U16(0x20B);
  pe.data.resize(optional + 68, 0);
  pe.U16(subsystem);
  pe.data.resize(optional + 108, 0);
  pe.U32(16);
  for (int i = 0; i < 16; ++i) {
    if (i == 2) pe.U32(kSectionRva).U32(static_cast<std::uint32_t>(directoriesSize));
    else pe.U32(0).U32(0);
  }
  const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  for (char c : name) pe.U8(static_cast<std::uint8_t>(c));
  pe.U32(static_cast<std::uint32_t>(tree.Size())).U32(kSectionRva);
  pe.U32(static_cast<std::uint32_t>(tree.Size())).U32(kResourceSectionOffset);
  pe.U32(0).U32(0).U16(0).U16(0).U32(0x40000040);
  pe.data.resize(kResourceSectionOffset, 0);
  pe.Append(tree.data);
  return pe.data;
}
