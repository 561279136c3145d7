#pragma once

#include <vector>

// Walks two lists, each in byte order of its names, as one: calls visit(before, after)
// once per name, with null for the list that lacks it.
template <class T, class NameOf, class Visit>
void PairByName(const std::vector<T>& before, const std::vector<T>& after, NameOf nameOf,
                Visit visit) {
  auto a = before.begin();
  auto b = after.begin();
  while (a != before.end() || b != after.end()) {
    const bool takeA = b == after.end() || (a != before.end() && nameOf(*a) <= nameOf(*b));
    const bool takeB = a == before.end() || (b != after.end() && nameOf(*b) <= nameOf(*a));
    visit(takeA ? &*a : nullptr, takeB ? &*b : nullptr);
    if (takeA) ++a;
    if (takeB) ++b;
  }
}
