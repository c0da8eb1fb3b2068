// Whole runs of the renderer: each small exchange file in golden/ is drawn as SVG by the jwc-render
// command, and the document must equal the reviewed picture beside it. After a deliberate change,
// TARVIK_UPDATE_GOLDEN=1 rewrites the expected files; review every changed picture before committing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <string>
#include <vector>

#include "jwc_render.h"
#include "test_support.h"

namespace {

std::filesystem::path GoldenDir() {
  return std::filesystem::path(TARVIK_SOURCE_DIR) / "tests" / "render" / "golden";
}

struct GoldenCase {
  const char* name;  // golden/<name>.txt in (or the shared test data's), golden/<name>.svg expected
  const char* shows;
  const char* host = nullptr;  // the host's exchange file for --host, below the source folder
};

const GoldenCase kCases[] = {
    {"line", "plain lines in pen colour 2, black"},
    {"text",
     "texts of styles 3, 5 (green), a free style and style 2 turned 180 degrees; stretched to their "
     "span; <, & and quotes escaped"},
    {"markers",
     "codes 1..11 at magnification 1 pointing along 0 degrees, and at 2 along 135 degrees in "
     "pen 6, with a plain point at each marker's point; scale 2"},
    {"circle", "whole circles in pens 2, 3 and 6"},
    {"arc",
     "a quarter circle, a tilted half-flat elliptic arc of 240 degrees, a clockwise arc; with lines "
     "from each centre to its start"},
    {"solid",
     "solids by colour value (red, blue, green) and by pen 5: triangle, quadrilateral, disc, fan, "
     "bow, ring, part of a flattened ring"},
    {"dimension", "two dimension entities: their lines and their values"},
    {"colors", "one line per pen colour 1..9 and 101..116; the light ones darkened"},
    {"hp_points", "indicated points 1..4 as numbered crosses with the lines between them"},
    {"dimension_output",
     "what the construction writes at scale 100 with line arrows and text style 3, after "
     "the host's header and points"},
    {"dimension_output_markers",
     "the same dimension written as one dimension entity, with a filled "
     "triangle at the start and a dot at the end"},
    {"host_one_line_selection", "the exchange file as the host wrote it (Shift_JIS): one selected line"},
    {"example_output",
     "the tool's output for the example, which names text style 1 but carries no sizes: drawn with "
     "the example's styles (2 mm high at scale 20), the leader reaching the end of the line under it",
     "examples/JWC_TEMP.TXT"},
};

std::filesystem::path InputOf(const GoldenCase& c) {
  const std::filesystem::path own = GoldenDir() / (std::string(c.name) + ".txt");
  return std::filesystem::exists(own) ? own : test_support::DataDir() / (std::string(c.name) + ".txt");
}

// Each case runs the jwc-render command, as a user would.
TEST(GoldenSvg, EachCommandFileDrawsItsReviewedPicture) {
  const bool update = std::getenv("TARVIK_UPDATE_GOLDEN") != nullptr;
  test_support::TempDir dir;
  for (const GoldenCase& c : kCases) {
    SCOPED_TRACE(std::string(c.name) + ": " + c.shows);
    std::vector<std::u16string> args{InputOf(c).u16string(), dir.file("out.svg"), u"--width", u"600"};
    if (c.host != nullptr) {
      args.push_back(u"--host");
      args.push_back((std::filesystem::path(TARVIK_SOURCE_DIR) / c.host).u16string());
    }
    const render::CommandResult result = render::RunJwcRender(args);
    ASSERT_EQ(0, result.status) << result.message;
    const std::string picture = test_support::ReadBytes(dir.path() / "out.svg");

    const std::filesystem::path expectedFile = GoldenDir() / (std::string(c.name) + ".svg");
    if (update) test_support::WriteBytes(expectedFile, picture);
    EXPECT_EQ(test_support::ReadBytes(expectedFile), picture);
  }
}

// A command file added to golden/ without a case would never be drawn.
TEST(GoldenSvg, EveryCommandFileHasACase) {
  for (const auto& entry : std::filesystem::directory_iterator(GoldenDir())) {
    if (entry.path().extension() != ".txt") continue;
    const std::string name = entry.path().stem().string();
    const bool listed = std::any_of(std::begin(kCases), std::end(kCases),
                                    [&](const GoldenCase& c) { return name == c.name; });
    EXPECT_TRUE(listed) << "golden/" << name << ".txt has no case";
  }
}

}  // namespace
