#include "game/contacts.h"

#include <initializer_list>

#include "game/simulation_path.h"

void ClassifyPair(int a, int b, CoinState state) {
  ContactTable& table = game.contactMatrix;
  if (!table.IsNone(a, b)) return;
  if (game.coinState[a] != state || game.coinState[b] != state) return;
  const ContactCode code = ClassifyPositions(game.coinX[a], game.coinY[a], game.coinX[b], game.coinY[b]);
  if (code != ContactNone) table.Set(a, b, code);
}

void BuildInitialContacts() {
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
  if (game.coinState[n] != CoinState::OnField) return;
  for (int k = 0; k < kCoinSlots; ++k) {
    if (k == n || game.coinState[k] != CoinState::OnField) continue;
    if (k < n) ClassifyPair(k, n, CoinState::OnField);
    else ClassifyPair(n, k, CoinState::OnField);
  }
}

void ClearContactsOfCoin(int n) { game.contactMatrix.ClearCoin(n); }

bool IsTrailing(int k, int p) { return game.contactMatrix.IsTrailing(k, p); }
