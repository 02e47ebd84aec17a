#include <gtest/gtest.h>

#include "pe_resources.h"
#include "resource_bytes.h"

namespace {

// The checker's own tests run every numbered resource through the reader;
// a type named by a string is left to this one.
const Resource kNamed{{false, 0, "PNG"}, ResourceName::Number(1), 0x409, {0xAA, 0xBB, 0xCC}};
const Data kFile = BuildPe({Res(4, 109, {1, 2, 3, 4, 5}), kNamed});

TEST(PeResources, ATypeNamedByAStringComesBackWithItsBytes) {
  PeImage image;
  std::string error;
  ASSERT_TRUE(ReadPeImage(kFile, image, error)) << error;
  const auto found = FindResources(image, kNamed.type, kNamed.name);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(std::tie(found[0]->language, found[0]->data), std::tie(kNamed.language, kNamed.data));
}

TEST(PeResources, MalformedFilesAreErrorsNotCrashes) {
  const auto patched = [](std::size_t at, std::uint32_t value) {
    return Bytes{kFile}.Put32At(kResourceSectionOffset + at, value).data;
  };
  const std::size_t firstDataEntry = 16 + 8 * 2 + 48;
  std::vector<std::pair<Data, const char*>> cases = {  // the file, a phrase its error names
      {{'n', 'o', 't', ' ', 'a', 'n', ' ', 'e', 'x', 'e'}, "MZ"},
      {patched(20, 0x80000000u), "twice"},  // the first type's directory is the root again
      {patched(firstDataEntry, 0x7F001000u), "data outside"},
      {patched(firstDataEntry + 4, 0xFFFFFFF0u), "data outside"},  // runs past the section
  };
  // Cut at every length through the headers and the whole directory tree.
  for (std::size_t length = 0; length < kResourceSectionOffset + 16 + 8 * 2 + 64 * 2; length += 3)
    cases.push_back({Data(kFile.begin(), kFile.begin() + static_cast<std::ptrdiff_t>(length)), ""});
  for (const auto& [bytes, phrase] : cases) {
    PeImage image;
    std::string error;
    EXPECT_FALSE(ReadPeImage(bytes, image, error)) << bytes.size() << " bytes";
    EXPECT_NE(error.find(phrase), std::string::npos) << error;
  }
}

}  // namespace
