#include "pe_resources.h"

#include <algorithm>
#include <set>

#include "byte_reader.h"

namespace {

constexpr std::uint32_t kSubdirectoryBit = 0x80000000u;
constexpr std::uint32_t kNamedEntryBit = 0x80000000u;
constexpr int kResourceDataDirectory = 2;

struct Section {
  std::uint32_t virtualAddress = 0;
  std::uint32_t virtualSize = 0;
  std::uint32_t rawSize = 0;
  std::uint32_t rawOffset = 0;
};

class TreeWalker {
 public:
  TreeWalker(const std::vector<std::uint8_t>& file, std::vector<Section> sections, std::uint32_t rootOffset,
             std::vector<Resource>& out)
      : file_(file), sections_(std::move(sections)), root_(rootOffset), out_(out) {}

  bool Walk(std::string& error) { return Directory(0, 0, {}, {}, error); }

 private:
  bool RvaToOffset(std::uint32_t rva, std::uint32_t size, std::size_t& offset) const {
    for (const Section& s : sections_) {
      const std::uint64_t extent = std::max(s.virtualSize, s.rawSize);
      if (rva >= s.virtualAddress && rva - s.virtualAddress + std::uint64_t{size} <= extent) {
        const std::uint64_t within = rva - s.virtualAddress;
        if (within + size > s.rawSize) return false;  // not backed by file bytes
        offset = s.rawOffset + within;
        return offset + size <= file_.size();
      }
    }
    return false;
  }

  bool Name(std::uint32_t field, ResourceName& name, std::string& error) const {
    if (!(field & kNamedEntryBit)) {
      name = ResourceName::Number(static_cast<std::uint16_t>(field));
      return true;
    }
    ByteReader reader(file_, root_ + (field & ~kNamedEntryBit));
    const std::uint16_t length = reader.U16();
    std::u16string text;
    for (std::uint16_t i = 0; i < length; ++i) text.push_back(reader.U16());
    if (reader.Failed()) {
      error = "resource name outside the file";
      return false;
    }
    name.isNumber = false;
    name.text = Utf16ToUtf8(text);
    return true;
  }

  bool Directory(std::uint32_t offset, int depth, const ResourceName& type, const ResourceName& name,
                 std::string& error) {
    if (depth > 2) {
      error = "resource tree deeper than type, name and language";
      return false;
    }
    if (!visited_.insert(offset).second) {
      error = "resource directory reached twice";
      return false;
    }
    ByteReader reader(file_, std::size_t{root_} + offset);
    reader.Skip(12);
    const std::uint32_t entries = std::uint32_t{reader.U16()} + reader.U16();
    if (reader.Failed()) {
      error = "resource directory outside the file";
      return false;
    }
    for (std::uint32_t i = 0; i < entries; ++i) {
      const std::uint32_t nameField = reader.U32();
      const std::uint32_t target = reader.U32();
      if (reader.Failed()) {
        error = "resource directory outside the file";
        return false;
      }
      ResourceName key;
      if (!Name(nameField, key, error)) return false;
      if (target & kSubdirectoryBit) {
        const ResourceName& nextType = depth == 0 ? key : type;
        const ResourceName& nextName = depth == 1 ? key : name;
        if (!Directory(target & ~kSubdirectoryBit, depth + 1, nextType, nextName, error)) return false;
        continue;
      }
      if (depth != 2 || !key.isNumber) {
        error = "resource data entry above the language level";
        return false;
      }
      ByteReader entry(file_, std::size_t{root_} + target);
      const std::uint32_t rva = entry.U32();
      const std::uint32_t size = entry.U32();
      std::size_t dataOffset = 0;
      if (entry.Failed() || !RvaToOffset(rva, size, dataOffset)) {
        error = "resource data outside the file";
        return false;
      }
      Resource resource;
      resource.type = type;
      resource.name = name;
      resource.language = key.number;
      resource.data.assign(file_.begin() + static_cast<std::ptrdiff_t>(dataOffset),
                           file_.begin() + static_cast<std::ptrdiff_t>(dataOffset + size));
      out_.push_back(std::move(resource));
    }
    return true;
  }

  const std::vector<std::uint8_t>& file_;
  std::vector<Section> sections_;
  std::uint32_t root_;
  std::vector<Resource>& out_;
  std::set<std::uint32_t> visited_;
};

}  // namespace

bool ReadPeImage(const std::vector<std::uint8_t>& file, PeImage& image, std::string& error) {
  image = PeImage{};
  ByteReader dos(file);
  if (dos.U16() != 0x5A4D) {
    error = "not an executable (no MZ header)";
    return false;
  }
  dos.Skip(0x3A);
  const std::uint32_t peOffset = dos.U32();
  ByteReader pe(file, peOffset);
  if (pe.U32() != 0x00004550u) {
    error = "no PE signature";
    return false;
  }
  pe.Skip(2);  // machine
  const std::uint16_t sectionCount = pe.U16();
  pe.Skip(12);
  const std::uint16_t optionalSize = pe.U16();
  pe.Skip(2);
  const std::size_t optionalStart = pe.Offset();
  const std::uint16_t magic = pe.U16();
  const bool plus = magic == 0x20B;
  if (magic != 0x10B && !plus) {
    error = "unknown optional header";
    return false;
  }
  ByteReader optional(file, optionalStart + 68);
  image.subsystem = optional.U16();
  ByteReader directories(file, optionalStart + (plus ? 108 : 92));
  const std::uint32_t directoryCount = directories.U32();
  std::uint32_t resourceRva = 0;
  if (directoryCount > kResourceDataDirectory) {
    directories.Skip(8 * kResourceDataDirectory);
    resourceRva = directories.U32();
  }
  std::vector<Section> sections;
  ByteReader table(file, optionalStart + optionalSize);
  for (std::uint16_t i = 0; i < sectionCount; ++i) {
    table.Skip(8);  // name
    Section s;
    s.virtualSize = table.U32();
    s.virtualAddress = table.U32();
    s.rawSize = table.U32();
    s.rawOffset = table.U32();
    table.Skip(16);
    sections.push_back(s);
  }
  if (pe.Failed() || optional.Failed() || directories.Failed() || table.Failed()) {
    error = "headers cut short";
    return false;
  }
  if (resourceRva == 0) return true;  // no resources at all

  for (const Section& s : sections) {
    if (resourceRva >= s.virtualAddress && resourceRva - s.virtualAddress < s.rawSize) {
      const std::uint32_t root = s.rawOffset + (resourceRva - s.virtualAddress);
      TreeWalker walker(file, sections, root, image.resources);
      return walker.Walk(error);
    }
  }
  error = "resource directory outside every section";
  return false;
}

std::vector<const Resource*> FindResources(const PeImage& image, const ResourceName& type,
                                           const ResourceName& name) {
  std::vector<const Resource*> found;
  for (const Resource& r : image.resources)
    if (r.type == type && r.name == name) found.push_back(&r);
  return found;
}
