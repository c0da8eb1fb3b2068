// Draws a drawing model (what the reader made of an exchange file, or of the commands that the
// construction wrote) onto a Canvas, fitted to a picture. Portable: the SVG writer and the dialog's
// live preview use the same code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "canvas.h"

namespace render {

enum class ShapeKind {
  Line,      // points[0] to points[1]
  Polyline,  // points, joined back to the first when `closed`
  Polygon,   // filled points
  Arc,       // arc, stroked
  Disc,      // arc's whole ellipse, filled
  Dot,       // a plain point at points[0], a few pixels wide whatever the scale
  Text,      // text
};

// One primitive of the display list, in drawing coordinates.
struct Shape {
  ShapeKind kind = ShapeKind::Line;
  Color color;
  std::vector<Point> points;
  bool closed = false;
  EllipticArc arc;
  TextRun text;

  Bounds Extent() const;
};

// The shapes of a point marker: MarkerSize (model_reading.h) times |bai| times `paperScale`, turned by
// `ang` degrees.
// Triangles and the open arrow (codes 1, 6, 9, 11) have their tip at the point and lie behind it;
// the other markers are centred on it. Empty for codes outside 1..11.
std::vector<Shape> MarkerShapes(const TJwwEntMark& mark, double paperScale, Color color);

// The scale a file's paper sizes are drawn at: CurrentScale (model_reading.h), or 1 when the file's
// coordinates are themselves paper millimetres ("bz") or that scale is not a positive finite number.
double ModelPaperScale(const TJGdata& model);

// Display colour of a pen colour number on a white background: the host's screen colour, with the
// very light ones darkened so that they stay visible.
Color DisplayColor(const TJGdata& model, int32_t colourNumber);

// Every entity of the model as shapes, in the order the entities were read.
std::vector<Shape> EntityShapes(const TJGdata& model, double paperScale);

struct RenderOptions {
  double paperScale = 0.0;  // drawing length per paper millimetre; 0 or less: ModelPaperScale
  double widthPx = 800.0;
  double heightPx = 0.0;    // 0 or less: from the drawing's proportions
  double marginPx = 24.0;
  bool indicatedPoints = true;  // numbered crosses at the points of the "hp" records
};

// Fits everything the model holds into the picture and draws it: entities in file order, then the
// indicated points. Returns the transform used.
ViewTransform Render(const TJGdata& model, const RenderOptions& options, Canvas& canvas);

// A fresh model that knows the host's text styles, scales, axis angle, paper-coordinate flag and
// current layer group: what the host brings to the reading of a tool's output, which carries none of them.
TJGdata ModelForOutputOf(const TJGdata& host);

// A model of what the host will draw from `host`'s output command buffer: ModelForOutputOf with the
// host's indicated points, into which the buffered lines are read as the host would read them back.
TJGdata ReadOutputCommands(const TJGdata& host);

}  // namespace render
