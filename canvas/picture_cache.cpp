#include "canvas/picture_cache.h"

#include <cstdio>

#include "canvas/bmp_reader.h"

namespace {

// Largest file worth reading: the biggest accepted picture at 32 bits per
// pixel plus generous room for headers and padding.
constexpr std::size_t kMaxFileBytes = static_cast<std::size_t>(kMaxBmpPixels) * 4 + (1u << 20);
// Bounds on what the cache holds; the game uses twenty small pictures.
constexpr std::size_t kMaxCachedBytes = std::size_t{256} << 20;
constexpr std::size_t kMaxEntries = 256;

std::size_t PictureBytes(const Picture* picture) {
  return picture ? picture->pixels.size() * sizeof(std::uint32_t) : 0;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::size_t limit, std::string& bytes) {
  bytes.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  // Read until the end rather than trusting a size taken earlier: the file
  // may be growing or shrinking while the game runs.
  char chunk[1 << 16];
  bool ok = true;
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
    if (got > limit - bytes.size()) {
      ok = false;
      break;
    }
    bytes.append(chunk, got);
    if (got < sizeof chunk) {
      ok = !std::ferror(file);
      break;
    }
  }
  std::fclose(file);
  if (!ok) bytes.clear();
  return ok;
}

std::shared_ptr<const Picture> PictureCache::Load(const std::string& path) {
  FileStamp stamp;
  const bool present = StampFile(path, stamp);
  auto found = entries_.find(path);
  if (!present) {
    if (found != entries_.end()) {
      cachedBytes_ -= PictureBytes(found->second.picture.get());
      entries_.erase(found);
    }
    return nullptr;
  }
  if (found != entries_.end() && found->second.stamp == stamp) return found->second.picture;

  std::shared_ptr<const Picture> picture;
  std::string bytes;
  if (stamp.size <= kMaxFileBytes && ReadFileBytes(path, kMaxFileBytes, bytes)) {
    auto decoded = std::make_shared<Picture>();
    if (DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), *decoded))
      picture = std::move(decoded);
  }
  ++decodes_;

  if (found != entries_.end()) {
    cachedBytes_ -= PictureBytes(found->second.picture.get());
    entries_.erase(found);
  }
  const std::size_t added = PictureBytes(picture.get());
  if (cachedBytes_ + added > kMaxCachedBytes || entries_.size() >= kMaxEntries) Clear();
  entries_.emplace(path, Entry{stamp, picture});
  cachedBytes_ += added;
  return picture;
}

void PictureCache::Clear() {
  entries_.clear();
  cachedBytes_ = 0;
}
