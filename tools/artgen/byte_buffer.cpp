#include "tools/artgen/byte_buffer.h"

#include "formats/whole_file.h"

namespace artgen {

bool WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::string error;
  return WriteWholeFile(path, bytes.data(), bytes.size(), error);
}

}  // namespace artgen
