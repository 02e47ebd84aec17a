#include "game/x_order.h"

#include <algorithm>

#include "game/constants.h"

namespace {
constexpr std::int64_t kCountingSpan = 4096;
std::uint64_t scratch[kCoinSlots];
int xCount[kCountingSpan + 1];
}  // namespace

void SortXOrderKeys(std::uint64_t* keys, int count) {
  if (count <= 1) return;
  int minX = XOfKey(keys[0]), maxX = minX;
  for (int n = 1; n < count; ++n) {
    minX = std::min(minX, XOfKey(keys[n]));
    maxX = std::max(maxX, XOfKey(keys[n]));
  }
  if (static_cast<std::int64_t>(maxX) - minX >= kCountingSpan || count > kCoinSlots) {
    std::sort(keys, keys + count);
    return;
  }
  const int span = maxX - minX + 1;
  std::fill(xCount, xCount + span + 1, 0);
  for (int n = 0; n < count; ++n) ++xCount[XOfKey(keys[n]) - minX + 1];
  for (int k = 0; k < span; ++k) xCount[k + 1] += xCount[k];
  for (int n = 0; n < count; ++n) scratch[xCount[XOfKey(keys[n]) - minX]++] = keys[n];
  std::copy(scratch, scratch + count, keys);
}
