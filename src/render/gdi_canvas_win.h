// The renderer's Canvas on a Win32 device context, for the dialog's live preview: the same primitives
// that jwc-render writes as SVG, drawn with GDI pens, brushes and a Japanese-capable font.
#pragma once

#include <windows.h>

#include "canvas.h"

class GdiCanvas final : public render::Canvas {
 public:
  // Draws on `dc` with the fitted picture's top-left corner at `origin`; a pixel of the picture is
  // `pixelScale` device pixels (the window's DPI / 96), so that markers and labels grow with the DPI.
  GdiCanvas(HDC dc, POINT origin, double pixelScale);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void Begin(const render::ViewTransform& view) override;
  void Line(render::Point a, render::Point b, render::Color color) override;
  void Polyline(std::span<const render::Point> points, bool closed, render::Color color) override;
  void Polygon(std::span<const render::Point> corners, render::Color color) override;
  void Arc(const render::EllipticArc& arc, render::Color color) override;
  void Disc(const render::EllipticArc& ellipse, render::Color color) override;
  void Text(const render::TextRun& run, render::Color color) override;
  void End() override;

  // Primitives drawn since Begin.
  int Primitives() const { return primitives_; }

 private:
  POINT Device(render::Point drawing) const;
  void Stroke(const POINT* points, int count, render::Color color);
  void Fill(const POINT* points, int count, render::Color color);

  HDC dc_;
  POINT origin_;
  double pixelScale_;
  int savedState_ = 0;
  render::ViewTransform view_;
  int primitives_ = 0;
};
