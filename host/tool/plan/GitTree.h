#pragma once

#include <iosfwd>
#include <string>

#include "tool/plan/ConfigTree.h"

// The configuration tree at the folder tree as committed at rev, for plan --git and
// diff --git: listed once through git ls-tree, its files read as they are asked for
// through one git cat-file --batch, with no checkout and nothing written. Its paths
// are relative to the folder (the root is the empty path), and messages name them as
// git does, "REV:PATH" with PATH from the top of the repository. Throws
// std::runtime_error when the folder is not one of a git work tree, when rev names no
// commit there, when git cannot be run, or when the commit holds no configuration
// there.
ConfigTree ScanCommittedTree(const std::string& rev, const std::string& tree, std::ostream& notes);
