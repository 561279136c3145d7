#include "ui/backend/MnemonicAssignment.h"

#include <algorithm>
#include <array>
#include <limits>

#include "ui/WinConstants.h"

namespace {

constexpr int kKeys = 36;  // A to Z, then 0 to 9

int KeyOf(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a';
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= '0' && c <= '9') return 26 + (c - '0');
  return -1;
}

struct Candidate {
  int index;  // in the caption
  int key;
  int cost;  // lower is better
};

// The characters a caption may take its mnemonic from, each key once at its best
// place; its own mark, when it has one, as the only candidate.
std::vector<Candidate> Candidates(const std::string& caption, bool& own) {
  own = false;
  std::vector<std::pair<int, char>> shown;  // what the caption shows, with byte index
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      ++i;
      if (caption[i] != '&' && KeyOf(caption[i]) >= 0) {
        own = true;
        return {{static_cast<int>(i), KeyOf(caption[i]), 0}};
      }
    }
    shown.emplace_back(static_cast<int>(i), caption[i]);
  }
  std::array<int, kKeys> best;
  best.fill(-1);
  std::vector<Candidate> found;
  int word = -1;
  for (std::size_t n = 0; n < shown.size(); ++n) {
    const char c = shown[n].second;
    const int key = KeyOf(c);
    if (key < 0) continue;
    const bool wordStart = n == 0 || KeyOf(shown[n - 1].second) < 0;
    if (wordStart) ++word;
    const int position = static_cast<int>(n);
    int cost = 0;
    if (key >= 26) {
      cost = 300 + position;
    } else if (wordStart) {
      cost = 10 * word;
    } else if (c >= 'A' && c <= 'Z') {
      cost = 100 + position;
    } else {
      cost = 200 + position;
    }
    int& at = best[static_cast<std::size_t>(key)];
    if (at >= 0 && found[static_cast<std::size_t>(at)].cost <= cost) continue;
    if (at >= 0) {
      found[static_cast<std::size_t>(at)] = {shown[n].first, key, cost};
    } else {
      at = static_cast<int>(found.size());
      found.push_back({shown[n].first, key, cost});
    }
  }
  return found;
}

}  // namespace

// A matching of captions to keys of the least cost among those that serve the most
// captions (successive shortest augmenting paths). A caption's cost counts more the
// earlier it comes, so that it is served a better key than the ones after it.
std::vector<MnemonicPlace> AssignMnemonics(const std::vector<std::string>& captions,
                                           std::string_view reserved) {
  const std::size_t count = captions.size();
  std::vector<MnemonicPlace> chosen(count);
  std::array<bool, kKeys> taken{};
  for (char c : reserved) {
    if (KeyOf(c) >= 0) taken[static_cast<std::size_t>(KeyOf(c))] = true;
  }
  std::vector<std::vector<Candidate>> candidates(count);
  for (std::size_t i = 0; i < count; ++i) {
    bool own = false;
    candidates[i] = Candidates(captions[i], own);
    if (own) {
      chosen[i] = {candidates[i].front().index, true};
      taken[static_cast<std::size_t>(candidates[i].front().key)] = true;
      candidates[i].clear();
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    const long weight = static_cast<long>(count - i);
    for (Candidate& candidate : candidates[i])
      candidate.cost = static_cast<int>(
          std::min<long>(std::numeric_limits<int>::max() / 4, candidate.cost * weight + 1));
    std::erase_if(candidates[i], [&](const Candidate& candidate) {
      return taken[static_cast<std::size_t>(candidate.key)];
    });
  }

  std::vector<int> keyOf(count, -1);  // the key a caption holds
  std::array<int, kKeys> holder;      // the caption holding a key
  holder.fill(-1);
  constexpr long kFar = std::numeric_limits<long>::max() / 4;
  for (;;) {
    // Shortest paths from every caption without a key, along candidate edges to
    // keys and back from a key to the caption holding it (at the negated cost).
    std::vector<long> toCaption(count, kFar);
    std::array<long, kKeys> toKey;
    toKey.fill(kFar);
    std::vector<int> viaKey(count, -1);  // the key a caption is reached from
    std::array<int, kKeys> viaCaption;   // the caption a key is reached from
    viaCaption.fill(-1);
    for (std::size_t i = 0; i < count; ++i) {
      if (keyOf[i] < 0 && !candidates[i].empty()) toCaption[i] = 0;
    }
    for (bool changed = true; changed;) {
      changed = false;
      for (std::size_t i = 0; i < count; ++i) {
        if (toCaption[i] == kFar) continue;
        for (const Candidate& candidate : candidates[i]) {
          const auto key = static_cast<std::size_t>(candidate.key);
          if (keyOf[i] == candidate.key) continue;
          const long cost = toCaption[i] + candidate.cost;
          if (cost < toKey[key]) {
            toKey[key] = cost;
            viaCaption[key] = static_cast<int>(i);
            changed = true;
          }
        }
      }
      for (std::size_t key = 0; key < kKeys; ++key) {
        const int held = holder[key];
        if (held < 0 || toKey[key] == kFar) continue;
        long back = 0;
        for (const Candidate& candidate : candidates[static_cast<std::size_t>(held)])
          if (candidate.key == static_cast<int>(key)) back = candidate.cost;
        const long cost = toKey[key] - back;
        if (cost < toCaption[static_cast<std::size_t>(held)]) {
          toCaption[static_cast<std::size_t>(held)] = cost;
          viaKey[static_cast<std::size_t>(held)] = static_cast<int>(key);
          changed = true;
        }
      }
    }
    int end = -1;
    for (std::size_t key = 0; key < kKeys; ++key) {
      if (holder[key] >= 0 || toKey[key] == kFar) continue;
      if (end < 0 || toKey[key] < toKey[static_cast<std::size_t>(end)]) end = static_cast<int>(key);
    }
    if (end < 0) break;
    // Each caption on the path takes the key after it.
    for (int key = end; key >= 0;) {
      const int caption = viaCaption[static_cast<std::size_t>(key)];
      const int previous = viaKey[static_cast<std::size_t>(caption)];
      holder[static_cast<std::size_t>(key)] = caption;
      keyOf[static_cast<std::size_t>(caption)] = key;
      key = previous;
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (keyOf[i] < 0) continue;
    for (const Candidate& candidate : candidates[i])
      if (candidate.key == keyOf[i]) chosen[i] = {candidate.index, false};
  }
  return chosen;
}

namespace {

// The order in which captions are served their mnemonic: the dialog's own buttons,
// the other buttons, check boxes and radio buttons, then the labels.
int MnemonicRank(const MnemonicTaker& taker) {
  switch (taker.kind) {
    case ControlKind::PushButton:
      return taker.id == IDOK || taker.id == IDCANCEL ? 0 : 1;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return 2;
    default:
      return 3;
  }
}

}  // namespace

std::vector<MnemonicPlace> AssignWindowMnemonics(std::span<const MnemonicTaker> takers,
                                                 WindowRole role) {
  std::vector<std::size_t> order(takers.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return MnemonicRank(takers[a]) < MnemonicRank(takers[b]);
  });
  std::vector<std::string> captions;
  captions.reserve(order.size());
  for (std::size_t i : order) captions.push_back(takers[i].caption);
  const std::vector<MnemonicPlace> served = AssignMnemonics(
      captions, role == WindowRole::PropertyPage ? kPropertySheetKeys : std::string_view());
  std::vector<MnemonicPlace> chosen(takers.size());
  for (std::size_t n = 0; n < order.size(); ++n) chosen[order[n]] = served[n];
  return chosen;
}

char MnemonicKey(std::string_view caption, const MnemonicPlace& place) {
  if (!place.IsSet() || static_cast<std::size_t>(place.index) >= caption.size()) return 0;
  const int key = KeyOf(caption[static_cast<std::size_t>(place.index)]);
  if (key < 0) return 0;
  return key < 26 ? static_cast<char>('A' + key) : static_cast<char>('0' + key - 26);
}

std::string CaptionWithoutMarks(std::string_view caption) {
  std::string read;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    read += caption[i];
  }
  return read;
}

int ShownMnemonicIndex(std::string_view caption, const MnemonicPlace& place) {
  if (!place.IsSet()) return -1;
  int shown = 0;
  for (std::size_t i = 0; i < caption.size(); ++i, ++shown) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    if (static_cast<int>(i) == place.index) return shown;
  }
  return -1;
}
