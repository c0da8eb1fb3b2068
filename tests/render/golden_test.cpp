// Whole runs of the renderer: each small exchange file in golden/ is read through OpenTempFile and
// drawn as SVG, and the document must equal the reviewed picture beside it. After a deliberate change,
// TARVIK_UPDATE_GOLDEN=1 rewrites the expected files; review every changed picture before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "JwwGaibu.h"
#include "renderer.h"
#include "svg_canvas.h"
#include "test_support.h"

namespace {

std::filesystem::path GoldenDir() { return std::filesystem::path(TARVIK_SOURCE_DIR) / "tests" / "render" / "golden"; }

struct GoldenCase {
  const char* name;   // golden/<name>.txt in, golden/<name>.svg expected
  double paperScale;  // 0: the file's own scale
  const char* shows;
};

const GoldenCase kCases[] = {
    {"line", 0, "plain lines in pen colour 2, black"},
    {"text", 0, "texts of styles 3, 5 (green), a free style and style 2 turned 180 degrees; stretched to their "
                "span; <, & and quotes escaped"},
    {"markers", 0, "codes 1..11 at magnification 1 pointing along 0 degrees, and at 2 along 135 degrees in "
                   "pen 6, with a plain point at each marker's point; scale 2"},
    {"circle", 0, "whole circles in pens 2, 3 and 6"},
    {"arc", 0, "a quarter circle, a tilted half-flat elliptic arc of 240 degrees, a clockwise arc; with lines "
               "from each centre to its start"},
    {"solid", 0, "solids by colour value (red, blue, green) and by pen 5: triangle, quadrilateral, disc, fan, "
                 "bow, ring, part of a flattened ring"},
    {"dimension", 0, "two dimension entities: their lines and their values"},
    {"colors", 0, "one line per pen colour 1..9 and 101..116; the light ones darkened"},
    {"hp_points", 0, "indicated points 1..4 as numbered crosses with the lines between them"},
    {"dimension_output", 0, "what the construction writes at scale 100 with line arrows and text style 3, after "
                            "the host's header and points"},
    {"dimension_output_markers", 0, "the same dimension written as one dimension entity, with a filled "
                                    "triangle at the start and a dot at the end"},
    {"host_one_line_selection", 0, "the exchange file as the host wrote it (Shift_JIS): one selected line"},
};

std::filesystem::path InputOf(const GoldenCase& c) {
  const std::filesystem::path own = GoldenDir() / (std::string(c.name) + ".txt");
  return std::filesystem::exists(own) ? own : test_support::DataDir() / (std::string(c.name) + ".txt");
}

TEST(GoldenSvg, EachCommandFileDrawsItsReviewedPicture) {
  const bool update = std::getenv("TARVIK_UPDATE_GOLDEN") != nullptr;
  for (const GoldenCase& c : kCases) {
    SCOPED_TRACE(std::string(c.name) + ": " + c.shows);
    TJGdata model;
    ASSERT_TRUE(model.OpenTempFile(InputOf(c).u16string()));
    render::SvgCanvas canvas;
    render::RenderOptions options;
    options.paperScale = c.paperScale;
    options.widthPx = 600;
    render::Render(model, options, canvas);

    const std::filesystem::path expectedFile = GoldenDir() / (std::string(c.name) + ".svg");
    if (update) test_support::WriteBytes(expectedFile, canvas.Document());
    EXPECT_EQ(test_support::ReadBytes(expectedFile), canvas.Document());
  }
}

}  // namespace
