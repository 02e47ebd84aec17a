#include "game/contacts.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "game/simulation_path.h"
#include "game/x_order.h"

void ClassifyPair(int a, int b, CoinState state) {
  ContactTable& table = game.contactMatrix;
  if (!table.IsNone(a, b)) return;
  if (game.coinState[a] != state || game.coinState[b] != state) return;
  const ContactCode code = ClassifyPositions(game.coinX[a], game.coinY[a], game.coinX[b], game.coinY[b]);
  if (code != ContactNone) table.Set(a, b, code);
}

void BuildInitialContacts() {
  if (const OwnContactStore* own = ActivePath().ownStore) return own->buildInitialContacts();
  constexpr int kSeededRange = 200;
  for (CoinState state : {CoinState::OnPusher, CoinState::OnField}) {
    for (int a = 0; a < kSeededRange - 1; ++a) {
      if (game.coinState[a] != state) continue;
      for (int b = a + 1; b < kSeededRange; ++b) ClassifyPair(a, b, state);
    }
  }
}

void RefreshContacts(CoinState state) { ActivePath().refreshContacts(state); }

void AddContactsOfCoin(int n) {
  if (const OwnContactStore* own = ActivePath().ownStore) return own->addContactsOfCoin(n);
  if (game.coinState[n] != CoinState::OnField) return;
  for (int k = 0; k < kCoinSlots; ++k) {
    if (k == n || game.coinState[k] != CoinState::OnField || !game.contactMatrix.Unbound(n, k)) continue;
    if (k < n)
      ClassifyPair(k, n, CoinState::OnField);
    else
      ClassifyPair(n, k, CoinState::OnField);
  }
}

void ClearContactsOfCoin(int n) {
  if (const OwnContactStore* own = ActivePath().ownStore) return own->clearContactsOfCoin(n);
  game.contactMatrix.ClearCoin(n);
}

bool IsTrailing(int k, int p) { return game.contactMatrix.IsTrailing(k, p); }

void StepDownIndex::Build() {
  built_ = true;
  complete_ = true;
  count_ = 0;
  ++epoch_;
  ForEachCoinInPlay([&](int i) {
    const CoinState s = game.coinState[i];
    if (s != CoinState::OnPusher && s != CoinState::OnField) return;
    byX_[count_++] = XOrderKey(game.coinX[i], i);
    memberEpoch_[i] = epoch_;
  });
  SortXOrderKeys(byX_, count_);
}

void StepDownIndex::AddContactsOf(int n) {
  if (ActivePath().ownStore) return AddContactsOfCoin(n);
  if (!built_) Build();
  if (memberEpoch_[n] != epoch_) complete_ = false;
  if (!complete_) {
    AddContactsOfCoin(n);
    return;
  }
  if (game.coinState[n] != CoinState::OnField) return;
  const long long x = game.coinX[n];
  const int from = static_cast<int>(std::max<long long>(x - 12, INT32_MIN));
  const std::uint64_t* first = std::lower_bound(byX_, byX_ + count_, XOrderKey(from, 0));
  for (const std::uint64_t* p = first; p != byX_ + count_; ++p) {
    const int k = static_cast<int>(*p & 0xFFFFFFFFu);
    if (game.coinX[k] > x + 12) break;
    if (k == n || game.coinState[k] != CoinState::OnField) continue;
    const long long dy = static_cast<long long>(game.coinY[k]) - game.coinY[n];
    if (dy < -12 || dy > 12 || !game.contactMatrix.Unbound(n, k)) continue;
    if (k < n)
      ClassifyPair(k, n, CoinState::OnField);
    else
      ClassifyPair(n, k, CoinState::OnField);
  }
}
