#pragma once

#include <string>
#include <vector>

#include "tool/output/Palette.h"

// How a command that prints a review writes it, as git writes a diff: --quiet,
// --color[=auto|always|never] and, for the commands that page, --no-pager.
struct ReviewOptions {
  bool quiet = false;  // nothing on stdout; what failed still on stderr
  Palette palette;     // plain unless colour was chosen
  bool page = false;   // through the pager (Pager.h), when the command starts it
};

// Which of the options a command takes.
struct ReviewFlags {
  bool quiet = false;
  bool color = false;
  bool pager = false;
};

// Takes the options the command takes out of args and decides. Colour when
// --color=always (or --color alone), never with --color=never, else (auto) only when
// stdout is a terminal whose TERM is not "dumb" and NO_COLOR is unset or empty. The
// pager when the command pages, nothing says --no-pager, the output is not quiet and
// PagerWanted. A JSON document is never coloured, and --quiet beside --json is a
// UsageError, as is a WHEN other than the three.
ReviewOptions TakeReviewOptions(std::vector<std::string>& args, const ReviewFlags& flags,
                                bool json);
