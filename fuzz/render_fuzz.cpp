// Arbitrary bytes as an exchange file, read as jwc-render reads one and drawn into an SVG document:
// whatever the reader accepts must fit a finite picture at a positive scale, and the document must be
// written to its end. The first bytes also choose the picture's width, a fixed or free height, the
// paper scale and whether the indicated points are drawn, within what jwc-render and the preview ask.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "JwwGaibu.h"
#include "renderer.h"
#include "svg_canvas.h"

namespace {

const std::filesystem::path& ScratchFile() {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("tarvik-render-fuzz-" + std::to_string(getpid()) + "-JWC_TEMP.TXT");
  return file;
}

void Check(const TJGdata& model, const render::RenderOptions& options) {
  render::SvgCanvas canvas;
  const render::ViewTransform view = render::Render(model, options, canvas);
  if (!(std::isfinite(view.Scale()) && view.Scale() > 0.0)) std::abort();
  if (!(std::isfinite(view.WidthPx()) && view.WidthPx() >= 1.0)) std::abort();
  if (!(std::isfinite(view.HeightPx()) && view.HeightPx() >= 1.0)) std::abort();
  if (!canvas.Document().ends_with("</svg>\n")) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TJGdata model;
  if (!model.OpenTempFile(ScratchFile().u16string())) std::abort();  // the file is there: it must be read

  // As jwc-render draws it by default.
  Check(model, render::RenderOptions{});

  // Within the command's limits: a width of 64 to 20000 pixels, a scale above 0.
  const auto byte = [&](size_t i) -> uint8_t { return i < size ? data[i] : 0; };
  render::RenderOptions options;
  options.widthPx = 64.0 + 19936.0 * byte(0) / 255.0;
  options.heightPx = (byte(1) & 1) ? 32.0 + 4.0 * byte(2) : 0.0;
  options.paperScale = (byte(1) & 2) ? std::ldexp(1.0 + byte(3), static_cast<int>(byte(4)) - 128) : 0.0;
  options.indicatedPoints = (byte(1) & 4) != 0;
  Check(model, options);
  return 0;
}
