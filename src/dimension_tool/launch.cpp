// tarvik's options come from the orientations' table, so that a dimension added there is chosen by its
// option without a second list to keep in step.
#include "launch.h"

namespace {

constexpr std::u16string_view kQuickOption = u"quick";

bool HasOption(const OrientationTraits& traits) { return *traits.option != u'\0'; }

}  // namespace

std::vector<std::u16string_view> OptionNames() {
  std::vector<std::u16string_view> names;
  for (const OrientationTraits& traits : AllOrientations()) {
    if (HasOption(traits)) names.push_back(traits.option);
  }
  names.push_back(kQuickOption);
  return names;
}

RunOptions ChosenOptions(const ParsedCommandLine& parsed) {
  RunOptions options;
  size_t index = 0;
  for (const OrientationTraits& traits : AllOrientations()) {
    if (!HasOption(traits)) continue;
    if (parsed.Given(index)) options.orientation = traits.orientation;
    ++index;
  }
  options.quick = parsed.Given(index);
  return options;
}
