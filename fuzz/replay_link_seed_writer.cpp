// Writes the replay-link fuzzer's starting corpus into a folder: links of a
// long generated game packed by zlib at several levels, the same streams
// as raw bytes, and key scripts (well-formed and not) to be packed.
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/session/replay_link.h"
#include "fuzz/seed_files.h"

namespace {

std::string Deflate(const std::string& text, int level) {
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, text.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  z.avail_in = static_cast<uInt>(text.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: replay-link-seed-writer FOLDER\n");
    return 2;
  }
  std::vector<KeyPress> presses;
  for (long long tick = 1; tick < 3000; tick += 1 + tick % 5) presses.push_back({tick, tick % 3 ? 0x25 : 0x27});
  const std::vector<std::string> scripts = {ReplayScript(presses, std::nullopt),
                                            ReplayScript(presses, 1000),
                                            ReplayScript(presses, 1000, 3005),
                                            "5 right\n5 left\n",
                                            "# <b>comment</b>\n1 left\n",
                                            "1 up\n",
                                            "5 right\n# ticks 4\n",
                                            "# ticks 7\n\n"};
  std::vector<std::string> seeds;
  for (const std::string& script : scripts) {
    for (int level : {1, 9}) {
      const std::string packed = Deflate(script, level);
      seeds.push_back('\0' + EncodeBase64Url(std::vector<std::uint8_t>(packed.begin(), packed.end())));
      seeds.push_back('\1' + packed);
    }
    seeds.push_back('\2' + script);
  }
  // Links about as long as those that once overran the page's memory
  // (265,000 to 300,000 characters): text of a link's alphabet, a bomb of
  // 200 MB that packs into 271,791 of them, and a long game.
  std::string noise(270'000, 'A');
  std::uint32_t random = 12345;
  for (char& c : noise) {
    random = random * 1103515245u + 12345u;
    c = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"[(random >> 16) & 63];
  }
  seeds.push_back('\0' + noise);
  const std::string bomb = Deflate(std::string(200u << 20, '\0'), 9);
  seeds.push_back('\0' + EncodeBase64Url(std::vector<std::uint8_t>(bomb.begin(), bomb.end())));
  std::vector<KeyPress> many;
  for (long long tick = 1; many.size() < 60'000; tick += 1 + (tick * 7919) % 23)
    many.push_back({tick, tick % 2 ? 0x25 : 0x27});
  const std::string game = Deflate(ReplayScript(many, std::nullopt, many.back().tick + 5), 9);
  seeds.push_back('\0' + EncodeBase64Url(std::vector<std::uint8_t>(game.begin(), game.end())));
  return WriteSeedFiles(argv[1], seeds, "replay-link-seed-writer");
}
