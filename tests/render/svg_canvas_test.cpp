// The SVG writer: text escaping and encoding, numbers, and how arcs, ellipses and texts are turned
// into the picture's y-down frame.
#include "svg_canvas.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using render::Color;
using render::EllipticArc;
using render::Point;
using render::SvgCanvas;

TEST(XmlText, EscapesMarkupAndEncodesUtf8) {
  struct Case {
    std::u16string input;
    std::string expected;
  };
  const Case cases[] = {
      {u"plain", "plain"},
      {u"a<b>&c", "a&lt;b&gt;&amp;c"},
      {u"\"q\" 'a'", "&quot;q&quot; &apos;a&apos;"},
      {u"寸法", "\xE5\xAF\xB8\xE6\xB3\x95"},
      {u"ｱ", "\xEF\xBD\xB1"},  // half-width katakana: three bytes
      {u"\U00020BB7", "\xF0\xA0\xAE\xB7"},  // a surrogate pair becomes one four-byte character
      // Characters XML cannot hold become U+FFFD; tab, line feed and carriage return stay.
      {std::u16string(1, u'\xD800') + u"x", "\xEF\xBF\xBDx"},
      {u"x" + std::u16string(1, u'\xDC00'), "x\xEF\xBF\xBD"},
      {u"\x01\x1F", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {u"a\tb\nc\r", "a\tb\nc\r"},
      {u"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, render::XmlText(c.input)) << std::string(c.expected);
  }
}

// A picture 200 pixels high where one drawing unit is one pixel: picture y = 200 - drawing y.
SvgCanvas Started() {
  SvgCanvas canvas;
  canvas.Begin(render::ViewTransform(1, 0, 200, 300, 200));
  return canvas;
}

std::string Body(SvgCanvas& canvas) {
  canvas.End();
  const std::string& all = canvas.Document();
  const size_t from = all.find("\">\n", all.find("<g ")) + 3;
  return all.substr(from, all.rfind("</g>") - from);
}

TEST(SvgCanvas, DocumentFrameAndNumbers) {
  SvgCanvas canvas;
  canvas.Begin(render::ViewTransform(1, 0, 50, 100.5, 50));
  canvas.Line({0.004, 0}, {-0.004, 49.996}, Color{255, 16, 0});
  canvas.End();
  EXPECT_EQ(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100.5\" height=\"50\" viewBox=\"0 0 100.5 50\">\n"
      "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
      "<g fill=\"none\" stroke-width=\"1\" stroke-linecap=\"round\" stroke-linejoin=\"round\" "
      "font-family=\"MS Gothic, IPAGothic, sans-serif\">\n"
      // Two decimals, no trailing zeros, and no negative zero.
      "<line x1=\"0\" y1=\"50\" x2=\"0\" y2=\"0\" stroke=\"#ff1000\"/>\n"
      "</g>\n</svg>\n",
      canvas.Document());
}

TEST(SvgCanvas, ArcsRunTheRightWayRoundInThePicture) {
  struct Case {
    const char* name;
    EllipticArc arc;
    std::string expected;
  };
  const Case cases[] = {
      // Counter-clockwise from (150, 100) up to (100, 150) in the drawing: from 3 o'clock to 12 o'clock
      // on the picture too, which in SVG's y-down frame is the negative sweep (flag 0).
      {"quarter, counter-clockwise", {{100, 100}, 50, 1, 0, 0, 90},
       "<path d=\"M 150 100 A 50 50 0 0 0 100 50\" stroke=\"#000000\"/>\n"},
      {"quarter, clockwise", {{100, 100}, 50, 1, 0, 90, -90},
       "<path d=\"M 100 50 A 50 50 0 0 1 150 100\" stroke=\"#000000\"/>\n"},
      {"three quarters take the large arc", {{100, 100}, 50, 1, 0, 0, 270},
       "<path d=\"M 150 100 A 50 50 0 1 0 100 150\" stroke=\"#000000\"/>\n"},
      // A mirrored ellipse (negative flatness) runs the other way: down to 6 o'clock.
      {"mirrored", {{100, 100}, 50, -1, 0, 0, 90},
       "<path d=\"M 150 100 A 50 50 0 0 1 100 150\" stroke=\"#000000\"/>\n"},
      // SVG turns clockwise for a positive angle on its y-down frame, so the tilt is negated.
      {"tilted ellipse", {{100, 100}, 40, 0.5, 30, 0, 180},
       "<path d=\"M 134.64 80 A 40 20 -30 0 0 65.36 120\" stroke=\"#000000\"/>\n"},
      {"whole circle", {{100, 100}, 50, 1, 0, 45, 360}, "<circle cx=\"100\" cy=\"100\" r=\"50\" stroke=\"#000000\"/>\n"},
      {"whole tilted ellipse", {{100, 100}, 40, 0.5, 30, 0, -360},
       "<ellipse cx=\"100\" cy=\"100\" rx=\"40\" ry=\"20\" transform=\"rotate(-30 100 100)\" stroke=\"#000000\"/>\n"},
  };
  for (const Case& c : cases) {
    SvgCanvas canvas = Started();
    canvas.Arc(c.arc, Color{});
    EXPECT_EQ(c.expected, Body(canvas)) << c.name;
  }
}

TEST(SvgCanvas, TextsTurnAboutTheirStartAndStandInTheirCells) {
  struct Case {
    const char* name;
    render::TextRun run;
    std::string expected;
  };
  const Case cases[] = {
      {"along x, spaced by the font", {{10, 20}, 0, 5, 0, 0, u"A&B"},
       "<text x=\"10\" y=\"180\" font-size=\"5\" fill=\"#000000\" xml:space=\"preserve\">A&amp;B</text>\n"},
      {"spaced by the font, upwards", {{10, 20}, 90, 5, 0, 0, u"x"},
       "<text x=\"10\" y=\"180\" font-size=\"5\" fill=\"#000000\" transform=\"rotate(-90 10 180)\" "
       "xml:space=\"preserve\">x</text>\n"},
      // Cells of 4 plus a gap of 1; half-width characters take half of both.
      {"upwards, in square cells", {{10, 20}, 90, 4, 4, 1, u"寸 1"},
       "<text x=\"0 5 7.5\" y=\"0\" font-size=\"4\" fill=\"#000000\" transform=\"translate(10 180) rotate(-90)\" "
       "xml:space=\"preserve\">寸 1</text>\n"},
      // Glyphs squeezed to half their width: places are given in squeezed units.
      {"narrow cells", {{0, 0}, 0, 4, 2, 0, u"ab"},
       "<text x=\"0 2\" y=\"0\" font-size=\"4\" fill=\"#000000\" transform=\"translate(0 200) scale(0.5 1)\" "
       "xml:space=\"preserve\">ab</text>\n"},
      {"a surrogate pair is one full-width character", {{0, 0}, 0, 3, 3, 0, u"\U00020BB7a"},
       "<text x=\"0 3\" y=\"0\" font-size=\"3\" fill=\"#000000\" transform=\"translate(0 200)\" "
       "xml:space=\"preserve\">\xF0\xA0\xAE\xB7" "a</text>\n"},
      {"a full turn is no turn", {{0, 0}, 360, 2, 0, 0, u"x"},
       "<text x=\"0\" y=\"200\" font-size=\"2\" fill=\"#000000\" xml:space=\"preserve\">x</text>\n"},
      {"no height, nothing", {{0, 0}, 0, 0, 0, 0, u"x"}, ""},
      {"no text, nothing", {{0, 0}, 0, 3, 3, 0, u""}, ""},
  };
  for (const Case& c : cases) {
    SvgCanvas canvas = Started();
    canvas.Text(c.run, Color{});
    EXPECT_EQ(c.expected, Body(canvas)) << c.name;
  }
}

}  // namespace
