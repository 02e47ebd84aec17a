#pragma once
#include <limits>

// Counts that play never bounds (credits, coins waiting, play totals) stop
// at their type's largest value rather than wrap round to a negative count.
// Only a game continued from a crafted snapshot could come near it.
template <typename T>
constexpr T SaturatingAdd(T total, T amount) {
  return total > std::numeric_limits<T>::max() - amount ? std::numeric_limits<T>::max() : total + amount;
}
