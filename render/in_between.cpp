#include "render/in_between.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "game/constants.h"
#include "render/sprite_tags.h"

namespace {

bool Moves(const DrawCall& call) {
  return call.kind == DrawCallKind::Sprite && call.tag.kind != shows::kNothing && call.tag.kind != shows::kCabinetPart;
}

// One entry per moving thing: a coin is the same coin falling or lying.
int ThingIndex(DrawTag tag) {
  const int family = tag.kind == shows::kLyingCoin ? int{shows::kFallingCoin} : int{tag.kind};
  return family * (kCoinSlots + 1) + tag.slot + 1;
}
constexpr int kThingCount = (shows::kBonusMarker + 1) * (kCoinSlots + 1);

int PartOfTheWay(int from, int to, double fraction) {
  return from + static_cast<int>(std::lround(fraction * (to - from)));
}

}  // namespace

void ListInBetween(const DisplayList& from, const DisplayList& to, double fraction, DisplayList& out) {
  // Where each moving thing of the earlier list is: +1, so that 0 is "absent".
  static std::vector<int> whereBefore(kThingCount, 0);
  static std::vector<int> marked;
  for (int index : marked) whereBefore[index] = 0;
  marked.clear();
  for (std::size_t i = 0; i < from.calls.size(); ++i) {
    const DrawCall& call = from.calls[i];
    if (!Moves(call) || call.tag.slot < -1 || call.tag.slot >= kCoinSlots) continue;
    const int index = ThingIndex(call.tag);
    if (whereBefore[index] == 0) marked.push_back(index);
    whereBefore[index] = static_cast<int>(i) + 1;
  }

  out.calls = to.calls;
  if (!(fraction < 1)) return;
  if (fraction < 0) fraction = 0;
  for (DrawCall& call : out.calls) {
    if (!Moves(call) || call.tag.slot < -1 || call.tag.slot >= kCoinSlots) continue;
    const int before = whereBefore[ThingIndex(call.tag)];
    if (before == 0) continue;
    const DrawCall& was = from.calls[before - 1];
    if (std::abs(call.x - was.x) > kLongestStepInATick || std::abs(call.y - was.y) > kLongestStepInATick) continue;
    call.x = PartOfTheWay(was.x, call.x, fraction);
    call.y = PartOfTheWay(was.y, call.y, fraction);
    call.w = PartOfTheWay(was.w, call.w, fraction);
    call.h = PartOfTheWay(was.h, call.h, fraction);
  }
}
