// tarvik's options come from the orientations' table, so that a dimension added there is chosen by its
// option without a second list to keep in step.
#include "launch.h"

namespace {

constexpr std::u16string_view kQuickOption = u"quick";
constexpr std::u16string_view kNextOption = u"next";

// The orientations chosen by an option, in the order of the table and so of OptionNames().
std::vector<const OrientationTraits*> OrientationsWithOption() {
  std::vector<const OrientationTraits*> rows;
  for (const OrientationTraits& traits : AllOrientations()) {
    if (*traits.option != u'\0') rows.push_back(&traits);
  }
  return rows;
}

std::vector<const OrientationTraits*> GivenOrientations(const ParsedCommandLine& parsed) {
  const std::vector<const OrientationTraits*> rows = OrientationsWithOption();
  std::vector<const OrientationTraits*> given;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (parsed.Given(i)) given.push_back(rows[i]);
  }
  return given;
}

}  // namespace

std::vector<std::u16string_view> OptionNames() {
  std::vector<std::u16string_view> names;
  for (const OrientationTraits* traits : OrientationsWithOption()) names.push_back(traits->option);
  names.push_back(kQuickOption);
  names.push_back(kNextOption);
  return names;
}

RunOptions ChosenOptions(const ParsedCommandLine& parsed) {
  RunOptions options;
  const std::vector<const OrientationTraits*> given = GivenOrientations(parsed);
  if (given.size() == 1) options.orientation = given.front()->orientation;
  const size_t quickIndex = OrientationsWithOption().size();
  options.quick = parsed.Given(quickIndex);
  options.next = parsed.Given(quickIndex + 1);
  return options;
}

std::u16string ConflictingOptionsMessage(const ParsedCommandLine& parsed) {
  std::vector<std::u16string_view> given;
  for (const OrientationTraits* traits : GivenOrientations(parsed)) given.push_back(traits->option);
  if (!given.empty() && parsed.Given(OrientationsWithOption().size() + 1)) given.push_back(kNextOption);
  if (given.size() < 2) return {};
  std::u16string message = u"同時に指定できないオプションです：";
  for (size_t i = 0; i < given.size(); ++i) {
    if (i > 0) message += u" と ";
    message += u'/';
    message += given[i];
  }
  return message;
}
