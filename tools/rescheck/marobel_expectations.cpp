#include "marobel_expectations.h"

#include <cstdio>
#include <sstream>

#include "resource_formats.h"

namespace {

constexpr std::uint16_t kJapanese = 0x0411;

constexpr std::uint16_t kTypeIcon = 3;
constexpr std::uint16_t kTypeMenu = 4;
constexpr std::uint16_t kTypeDialog = 5;
constexpr std::uint16_t kTypeString = 6;
constexpr std::uint16_t kTypeAccelerator = 9;
constexpr std::uint16_t kTypeIconGroup = 14;

constexpr std::uint16_t kCmdAbout = 104;
constexpr std::uint16_t kCmdExit = 105;

constexpr std::uint32_t kWsChild = 0x40000000, kWsVisible = 0x10000000, kWsGroup = 0x00020000,
                        kWsTabStop = 0x00010000, kWsCaption = 0x00C00000, kWsSysMenu = 0x00080000;
constexpr std::uint32_t kDsModalFrame = 0x80, kDsSetFont = 0x40;
constexpr std::uint32_t kSsIcon = 0x03, kSsNoPrefix = 0x80, kBsDefPushButton = 0x01;
constexpr std::uint16_t kButtonClass = 0x0080, kStaticClass = 0x0082;
constexpr std::uint16_t kMenuPopup = 0x10;
constexpr std::uint16_t kAltFlag = 0x10;

std::string Hex(std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08X", value);
  return buffer;
}

class Checker {
 public:
  explicit Checker(const PeImage& image) : image_(image) {}

  std::vector<std::string> Run() {
    if (image_.subsystem != 2) Problem("not a GUI program (subsystem " + std::to_string(image_.subsystem) + ")");
    CheckStrings();
    CheckMenu();
    CheckAccelerators();
    CheckDialog();
    CheckIconGroup(107, {32, 16});
    CheckIconGroup(108, {16});
    return problems_;
  }

 private:
  void Problem(std::string text) { problems_.push_back(std::move(text)); }

  template <typename T>
  void Expect(const std::string& what, const T& actual, const T& expected) {
    if (!(actual == expected)) {
      std::ostringstream line;
      line << what << ": found " << actual << ", expected " << expected;
      Problem(line.str());
    }
  }
  void ExpectStyle(const std::string& what, std::uint32_t actual, std::uint32_t expected) {
    if (actual != expected) Problem(what + ": found " + Hex(actual) + ", expected " + Hex(expected));
  }

  // The one Japanese copy of a resource; every other language is a problem.
  const Resource* Only(std::uint16_t type, std::uint16_t name, const std::string& what) {
    const auto found = FindResources(image_, ResourceName::Number(type), ResourceName::Number(name));
    const Resource* japanese = nullptr;
    for (const Resource* r : found) {
      if (r->language == kJapanese) japanese = r;
      else Problem(what + " also present in language " + Hex(r->language));
    }
    if (!japanese) Problem(what + " missing in the Japanese section");
    return japanese;
  }

  void CheckStrings() {
    // Ids 103 and 109 both live in block 7 (ids 96 to 111).
    const Resource* block = Only(kTypeString, 7, "string block 7");
    if (!block) return;
    std::map<std::uint16_t, std::string> strings;
    std::string error;
    if (!DecodeStringBlock(block->data, 7, strings, error)) return Problem("string block 7: " + error);
    Expect<std::string>("string 103", strings[103], "Marobel \xEF\xBD\x9EOrvik\xEF\xBD\x9E");
    Expect<std::string>("string 109", strings[109], "MY");
  }

  void CheckMenu() {
    const Resource* menu = Only(kTypeMenu, 109, "menu 109");
    if (!menu) return;
    std::vector<MenuItem> items;
    std::string error;
    if (!DecodeMenu(menu->data, items, error)) return Problem("menu 109: " + error);
    struct Expected {
      const char* popup;
      const char* item;
      std::uint16_t command;
    };
    const Expected expected[] = {
        {"\xEF\xBE\x8C\xEF\xBD\xA7\xEF\xBD\xB2\xEF\xBE\x99(&F)",
         "\xEF\xBD\xB1\xEF\xBE\x8C\xEF\xBE\x9F\xEF\xBE\x98\xEF\xBD\xB9\xEF\xBD\xB0\xEF\xBD\xBC\xEF\xBD\xAE"
         "\xEF\xBE\x9D\xE3\x81\xAE\xE7\xB5\x82\xE4\xBA\x86(&X)",
         kCmdExit},
        {"\xEF\xBE\x8D\xEF\xBE\x99\xEF\xBE\x8C\xEF\xBE\x9F(&H)",
         "\xEF\xBE\x8A\xEF\xBE\x9E\xEF\xBD\xB0\xEF\xBD\xBC\xEF\xBE\x9E\xEF\xBD\xAE\xEF\xBE\x9D\xE6\x83\x85"
         "\xE5\xA0\xB1(&A) ...",
         kCmdAbout},
    };
    Expect<std::size_t>("menu 109 popups", items.size(), 2);
    for (std::size_t i = 0; i < items.size() && i < 2; ++i) {
      const std::string where = "menu 109 popup " + std::to_string(i + 1);
      Expect<std::string>(where + " text", items[i].text, expected[i].popup);
      Expect<std::uint16_t>(where + " flags", items[i].flags, kMenuPopup);
      Expect<std::size_t>(where + " items", items[i].children.size(), 1);
      if (items[i].children.empty()) continue;
      const MenuItem& item = items[i].children[0];
      Expect<std::string>(where + " item text", item.text, expected[i].item);
      Expect<std::uint16_t>(where + " item command", item.command, expected[i].command);
      Expect<std::uint16_t>(where + " item flags", item.flags, 0);
    }
  }

  void CheckAccelerators() {
    const Resource* table = Only(kTypeAccelerator, 109, "accelerator table 109");
    if (!table) return;
    std::vector<Accelerator> entries;
    std::string error;
    if (!DecodeAccelerators(table->data, entries, error)) return Problem("accelerator table 109: " + error);
    Expect<std::size_t>("accelerator entries", entries.size(), 2);
    const std::uint16_t keys[] = {'?', '/'};
    for (std::size_t i = 0; i < entries.size() && i < 2; ++i) {
      const std::string where = "accelerator " + std::to_string(i + 1);
      // Alt alone: a character code, not a virtual key.
      Expect<std::uint16_t>(where + " flags", entries[i].flags, kAltFlag);
      Expect<std::uint16_t>(where + " key", entries[i].key, keys[i]);
      Expect<std::uint16_t>(where + " command", entries[i].command, kCmdAbout);
    }
  }

  void CheckControl(const DialogControl& c, const std::string& where, std::uint16_t id, std::uint16_t windowClass,
                    std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h, std::uint32_t style) {
    Expect<std::uint16_t>(where + " id", c.id, id);
    Expect<bool>(where + " class is a system class", c.windowClass.isNumber, true);
    Expect<std::uint16_t>(where + " class", c.windowClass.number, windowClass);
    Expect<std::int16_t>(where + " x", c.x, x);
    Expect<std::int16_t>(where + " y", c.y, y);
    Expect<std::int16_t>(where + " width", c.width, w);
    Expect<std::int16_t>(where + " height", c.height, h);
    ExpectStyle(where + " style", c.style, style);
    ExpectStyle(where + " extended style", c.extendedStyle, 0);
  }

  void CheckDialog() {
    const Resource* resource = Only(kTypeDialog, 103, "dialog 103");
    if (!resource) return;
    Dialog d;
    std::string error;
    if (!DecodeDialog(resource->data, d, error)) return Problem("dialog 103: " + error);
    ExpectStyle("dialog style", d.style, kDsModalFrame | kDsSetFont | kWsCaption | kWsSysMenu);
    ExpectStyle("dialog extended style", d.extendedStyle, 0);
    Expect<std::int16_t>("dialog x", d.x, 22);
    Expect<std::int16_t>("dialog y", d.y, 17);
    Expect<std::int16_t>("dialog width", d.width, 230);
    Expect<std::int16_t>("dialog height", d.height, 75);
    Expect<bool>("dialog has no menu", d.menu.IsEmpty(), true);
    Expect<bool>("dialog uses the standard class", d.windowClass.IsEmpty(), true);
    Expect<std::string>("dialog caption", d.caption,
                        "\xEF\xBE\x8A\xEF\xBE\x9E\xEF\xBD\xB0\xEF\xBD\xBC\xEF\xBE\x9E\xEF\xBD\xAE\xEF\xBE\x9D"
                        "\xE6\x83\x85\xE5\xA0\xB1");
    Expect<bool>("dialog font set", d.hasFont, true);
    Expect<std::uint16_t>("dialog font size", d.pointSize, 8);
    Expect<std::string>("dialog font", d.typeface, "System");
    Expect<std::size_t>("dialog controls", d.controls.size(), 3);
    if (d.controls.size() != 3) return;

    const DialogControl& icon = d.controls[0];
    CheckControl(icon, "icon control", 2, kStaticClass, 16, 51, 20, 20, kWsChild | kWsVisible | kSsIcon);
    Expect<bool>("icon control shows a resource number", icon.title.isNumber, true);
    Expect<std::uint16_t>("icon control icon", icon.title.number, 107);

    const DialogControl& text = d.controls[1];
    CheckControl(text, "text control", 0xFFFF, kStaticClass, 49, 48, 137, 8,
                 kWsChild | kWsVisible | kWsGroup | kSsNoPrefix);
    Expect<std::string>("text control text", text.title.text,
                        "Marobel \xEF\xBD\x9EOrvik\xEF\xBD\x9E Version 1.0");

    const DialogControl& ok = d.controls[2];
    CheckControl(ok, "OK button", 1, kButtonClass, 188, 55, 30, 11,
                 kWsChild | kWsVisible | kWsGroup | kWsTabStop | kBsDefPushButton);
    Expect<std::string>("OK button text", ok.title.text, "OK");
  }

  void CheckIconGroup(std::uint16_t name, const std::vector<int>& sizes) {
    const std::string what = "icon group " + std::to_string(name);
    const Resource* group = Only(kTypeIconGroup, name, what);
    if (!group) return;
    std::vector<IconGroupEntry> entries;
    std::string error;
    if (!DecodeIconGroup(group->data, entries, error)) return Problem(what + ": " + error);
    Expect<std::size_t>(what + " images", entries.size(), sizes.size());
    for (std::size_t i = 0; i < entries.size() && i < sizes.size(); ++i) {
      const IconGroupEntry& e = entries[i];
      const std::string where = what + " image " + std::to_string(i + 1);
      Expect<int>(where + " width", e.width, sizes[i]);
      Expect<int>(where + " height", e.height, sizes[i]);
      Expect<int>(where + " colours", e.colourCount, 16);
      Expect<int>(where + " bits per pixel", e.bitCount, 4);
      const auto images = FindResources(image_, ResourceName::Number(kTypeIcon), ResourceName::Number(e.iconId));
      if (images.empty()) {
        Problem(where + ": icon " + std::to_string(e.iconId) + " missing");
        continue;
      }
      IconImage header;
      if (!DecodeIconImage(images[0]->data, header, error)) {
        Problem(where + ": " + error);
        continue;
      }
      Expect<int>(where + " stored width", header.width, sizes[i]);
      Expect<int>(where + " stored height", header.height, 2 * sizes[i]);
      Expect<int>(where + " stored bits per pixel", header.bitCount, 4);
      Expect<std::size_t>(where + " byte count", images[0]->data.size(), e.bytes);
    }
  }

  const PeImage& image_;
  std::vector<std::string> problems_;
};

std::string NameText(const ResourceName& n) { return n.isNumber ? std::to_string(n.number) : "\"" + n.text + "\""; }

std::string ClassText(const TextOrNumber& c) {
  return c.isNumber ? Hex(c.number).substr(6) : (c.text.empty() ? "-" : "\"" + c.text + "\"");
}

}  // namespace

std::vector<std::string> CheckMarobelResources(const PeImage& image) { return Checker(image).Run(); }

std::string DescribeResources(const PeImage& image) {
  std::ostringstream out;
  out << "subsystem " << image.subsystem << "\n";
  for (const Resource& r : image.resources) {
    out << "type " << NameText(r.type) << " name " << NameText(r.name) << " language " << Hex(r.language).substr(6)
        << ", " << r.data.size() << " bytes\n";
    std::string error;
    if (r.type == ResourceName::Number(kTypeString) && r.name.isNumber) {
      std::map<std::uint16_t, std::string> strings;
      if (DecodeStringBlock(r.data, r.name.number, strings, error))
        for (const auto& [id, text] : strings) out << "  string " << id << " \"" << text << "\"\n";
    } else if (r.type == ResourceName::Number(kTypeMenu)) {
      std::vector<MenuItem> items;
      if (DecodeMenu(r.data, items, error))
        for (const MenuItem& p : items) {
          out << "  popup \"" << p.text << "\"\n";
          for (const MenuItem& i : p.children) out << "    item " << i.command << " \"" << i.text << "\"\n";
        }
    } else if (r.type == ResourceName::Number(kTypeAccelerator)) {
      std::vector<Accelerator> table;
      if (DecodeAccelerators(r.data, table, error))
        for (const Accelerator& a : table)
          out << "  key " << a.key << " flags " << Hex(a.flags).substr(6) << " command " << a.command << "\n";
    } else if (r.type == ResourceName::Number(kTypeDialog)) {
      Dialog d;
      if (DecodeDialog(r.data, d, error)) {
        out << "  style " << Hex(d.style) << " at " << d.x << "," << d.y << " size " << d.width << "x" << d.height
            << " caption \"" << d.caption << "\" font " << d.pointSize << " \"" << d.typeface << "\"\n";
        for (const DialogControl& c : d.controls)
          out << "  control " << c.id << " class " << ClassText(c.windowClass) << " style " << Hex(c.style)
              << " at " << c.x << "," << c.y << " size " << c.width << "x" << c.height << " title "
              << (c.title.isNumber ? std::to_string(c.title.number) : "\"" + c.title.text + "\"") << "\n";
      }
    } else if (r.type == ResourceName::Number(kTypeIconGroup)) {
      std::vector<IconGroupEntry> entries;
      if (DecodeIconGroup(r.data, entries, error))
        for (const IconGroupEntry& e : entries)
          out << "  icon " << e.iconId << " " << int{e.width} << "x" << int{e.height} << " colours "
              << int{e.colourCount} << " bits " << e.bitCount << "\n";
    }
    if (!error.empty()) out << "  (" << error << ")\n";
  }
  return out.str();
}
