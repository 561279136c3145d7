#pragma once

#include <string>
#include <vector>

class CPrivateProperty;

// The names of the properties whose stored values differ between two bags: those
// only in one of them, and those whose value or type differs, in the order of the
// first bag, then the ones only in the second. A group present in both is looked
// into, and its children named "Group/Child". Only names are given, never values:
// a changed password shows as its name.
std::vector<std::string> ChangedProperties(const CPrivateProperty& before,
                                           const CPrivateProperty& after);
