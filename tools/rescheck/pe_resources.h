#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A resource type or name: a number, or a string.
struct ResourceName {
  bool isNumber = true;
  std::uint16_t number = 0;
  std::string text;  // UTF-8

  static ResourceName Number(std::uint16_t n) { return {true, n, {}}; }
  bool operator==(const ResourceName& o) const {
    return isNumber == o.isNumber && (isNumber ? number == o.number : text == o.text);
  }
};

struct Resource {
  ResourceName type;
  ResourceName name;
  std::uint16_t language = 0;
  std::vector<std::uint8_t> data;
};

struct PeImage {
  std::uint16_t subsystem = 0;  // 2 is a GUI program, 3 a console one
  std::vector<Resource> resources;
};

// Reads a 32- or 64-bit PE file's resource tree. Returns false with a
// message on anything malformed: offsets outside the file, a tree deeper
// than type/name/language, or a directory that points back at itself.
bool ReadPeImage(const std::vector<std::uint8_t>& file, PeImage& image, std::string& error);

// The resources of `type` and `name`, in any language.
std::vector<const Resource*> FindResources(const PeImage& image, const ResourceName& type,
                                           const ResourceName& name);
