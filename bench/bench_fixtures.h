// What the render and preview benchmarks share: the example exchange file the dialog is timed on and a
// canvas that only counts, to separate the renderer's own cost from the drawing it hands on.
#pragma once

#include <span>
#include <string>

#include "canvas.h"

namespace bench_fixtures {

// examples/JWC_TEMP.TXT: scale 20, ten text styles, the four indicated points, current style 2.
inline const std::u16string kExampleTempText =
    u"hq\nfile=\nhk 0\nhs 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20\nhzs 420 297\n"
    u"hcw 2 2.5 3 4 5 6 7 8 9 10\nhch 2 2.5 3 4 5 6 7 8 9 10\nhcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\n"
    u"hcc 1 1 2 2 3 3 4 4 5 5\nhn 0 0 600 1000\nhp1 0 0\nhp2 0 1000\nhp3 500 300\nhp4 600 400\n"
    u"lg0\nly0\nlc2\nlt1\ncn2\ncn\"$<ＭＳ ゴシック>\n";

class CountingCanvas final : public render::Canvas {
 public:
  void Begin(const render::ViewTransform&) override {}
  void Line(render::Point, render::Point, render::Color) override { ++count; }
  void Polyline(std::span<const render::Point>, bool, render::Color) override { ++count; }
  void Polygon(std::span<const render::Point>, render::Color) override { ++count; }
  void Arc(const render::EllipticArc&, render::Color) override { ++count; }
  void Disc(const render::EllipticArc&, render::Color) override { ++count; }
  void Text(const render::TextRun&, render::Color) override { ++count; }
  void End() override {}
  int count = 0;
};

}  // namespace bench_fixtures
