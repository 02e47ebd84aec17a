#include "app/session/sound_bank.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace {

std::filesystem::path PathOf(const std::string& folder, std::string_view name) {
  const std::filesystem::path file = std::filesystem::u8path(name);
  if (folder.empty() || file.has_parent_path()) return file;
  return std::filesystem::u8path(folder) / file;
}

std::shared_ptr<const SoundClip> ReadClip(const std::filesystem::path& path, std::string_view name) {
  auto clip = std::make_shared<SoundClip>();
  clip->name.assign(name);
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (std::optional<WaveSound> sound = ReadWave(bytes.data(), bytes.size())) {
    clip->sound = std::move(*sound);
  } else {
    clip->sound = FallbackBeepSound();
    clip->standIn = true;
  }
  return clip;
}

}  // namespace

const SoundClip& SoundBank::Resolve(std::string_view name) {
  const std::filesystem::path path = PathOf(folder_, name);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  const bool present = !error;
  const auto time = present ? std::filesystem::last_write_time(path, error) : std::filesystem::file_time_type{};
  auto found = entries_.find(name);
  if (found == entries_.end()) found = entries_.emplace(std::string(name), Entry{}).first;
  Entry& entry = found->second;
  if (!entry.clip || entry.present != present || entry.size != size || entry.time != time) {
    entry.clip = ReadClip(path, name);
    entry.present = present;
    entry.size = size;
    entry.time = time;
  }
  return *entry.clip;
}
