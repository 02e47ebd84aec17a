#include <gtest/gtest.h>

#include "pe_resources.h"
#include "resource_bytes.h"

namespace {

std::vector<Resource> Sample() {
  std::vector<Resource> list;
  list.push_back(MakeResource(4, 109, 0x411, {1, 2, 3, 4, 5}));
  list.push_back(MakeResource(4, 109, 0x409, {9}));
  list.push_back(MakeResource(6, 7, 0x411, {7, 7}));
  Resource named;
  named.type.isNumber = false;
  named.type.text = "PNG";
  named.name = ResourceName::Number(1);
  named.language = 0x411;
  named.data = {0xAA, 0xBB, 0xCC};
  list.push_back(named);
  return list;
}

TEST(PeResources, EveryResourceComesBackWithTypeNameLanguageAndBytes) {
  const auto file = BuildPe(Sample(), 2);
  PeImage image;
  std::string error;
  ASSERT_TRUE(ReadPeImage(file, image, error)) << error;
  EXPECT_EQ(image.subsystem, 2);
  ASSERT_EQ(image.resources.size(), 4u);
  for (const Resource& expected : Sample()) {
    const auto found = FindResources(image, expected.type, expected.name);
    bool matched = false;
    for (const Resource* r : found)
      matched = matched || (r->language == expected.language && r->data == expected.data);
    EXPECT_TRUE(matched) << "type " << expected.type.number << expected.type.text << " language "
                         << expected.language;
  }
  EXPECT_EQ(FindResources(image, ResourceName::Number(4), ResourceName::Number(109)).size(), 2u);
  EXPECT_TRUE(FindResources(image, ResourceName::Number(4), ResourceName::Number(110)).empty());
}

TEST(PeResources, ConsoleSubsystemIsReported) {
  PeImage image;
  std::string error;
  ASSERT_TRUE(ReadPeImage(BuildPe(Sample(), 3), image, error)) << error;
  EXPECT_EQ(image.subsystem, 3);
}

TEST(PeResources, NonExecutablesAndCutFilesAreErrorsNotCrashes) {
  PeImage image;
  std::string error;
  EXPECT_FALSE(ReadPeImage({'n', 'o', 't', ' ', 'a', 'n', ' ', 'e', 'x', 'e'}, image, error));
  const auto file = BuildPe(Sample());
  // Cut at every length through the headers and the resource tree.
  for (std::size_t length = 0; length < kResourceSectionOffset + 120; length += 7) {
    std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_FALSE(ReadPeImage(cut, image, error)) << "length " << length;
  }
}

TEST(PeResources, DirectoryPointingBackAtTheRootIsRejected) {
  auto file = BuildPe(Sample());
  // The first type entry's target: make it the root directory again.
  const std::size_t target = kResourceSectionOffset + 16 + 4;
  file[target] = 0;
  file[target + 1] = 0;
  file[target + 2] = 0;
  file[target + 3] = 0x80;
  PeImage image;
  std::string error;
  EXPECT_FALSE(ReadPeImage(file, image, error));
  EXPECT_NE(error.find("twice"), std::string::npos) << error;
}

TEST(PeResources, DataOutsideTheSectionIsRejected) {
  auto file = BuildPe({MakeResource(4, 1, 0x411, {1, 2, 3})});
  // root (16 + 8), type directory (16 + 8), name directory (16 + 8): then
  // the one data entry, whose first field is the data's address.
  const std::size_t entry = kResourceSectionOffset + 3 * 24;
  file[entry + 2] = 0x7F;  // far beyond the file
  PeImage image;
  std::string error;
  EXPECT_FALSE(ReadPeImage(file, image, error));
}

}  // namespace
