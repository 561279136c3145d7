#include "tool/output/ReviewOptions.h"

#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "text/TextEscape.h"
#include "tool/ToolArgs.h"
#include "tool/ToolError.h"
#include "tool/output/Pager.h"

namespace {

enum class When { Auto, Always, Never };

// --color alone means always, as in git; --color=WHEN says which.
std::optional<When> TakeColor(std::vector<std::string>& args) {
  std::optional<When> when;
  for (auto it = args.begin(); it != args.end();) {
    std::optional<When> found;
    if (*it == "--color") {
      found = When::Always;
    } else if (it->rfind("--color=", 0) == 0) {
      const std::string value = it->substr(8);
      if (value == "auto")
        found = When::Auto;
      else if (value == "always")
        found = When::Always;
      else if (value == "never")
        found = When::Never;
      else
        throw UsageError("--color takes auto, always or never, not " +
                         QuotedToken(value, TextBytes::Utf8));
    } else {
      ++it;
      continue;
    }
    if (when) throw UsageError("--color given twice");
    when = found;
    it = args.erase(it);
  }
  return when;
}

bool TerminalTakesColor() {
  if (::isatty(STDOUT_FILENO) != 1) return false;
  const char* noColor = std::getenv("NO_COLOR");
  if (noColor != nullptr && *noColor != '\0') return false;
  const char* term = std::getenv("TERM");
  return term == nullptr || std::string(term) != "dumb";
}

}  // namespace

ReviewOptions TakeReviewOptions(std::vector<std::string>& args, const ReviewFlags& flags,
                                bool json) {
  ReviewOptions options;
  if (flags.quiet) options.quiet = TakeFlag(args, "--quiet");
  if (options.quiet && json)
    throw UsageError("--quiet prints nothing and --json one document: give one of them");
  if (flags.color) {
    const When when = TakeColor(args).value_or(When::Auto);
    const bool color = when == When::Always || (when == When::Auto && TerminalTakesColor());
    if (color && !json && !options.quiet) options.palette = Palette::Colored();
  }
  if (flags.pager) {
    const bool noPager = TakeFlag(args, "--no-pager");
    options.page = !noPager && !options.quiet && PagerWanted();
  }
  return options;
}
