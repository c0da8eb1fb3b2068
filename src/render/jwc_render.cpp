// The jwc-render command: reads an exchange file through the reader, draws it, writes the SVG.
#include "jwc_render.h"

#include <filesystem>
#include <fstream>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "platform.h"
#include "renderer.h"
#include "svg_canvas.h"

namespace render {

namespace {

constexpr const char* kUsage =
    "usage: jwc-render JWC_TEMP.TXT out.svg [--host FILE] [--scale K] [--width PX]\n"
    "  --host FILE the exchange file the host wrote before the tool ran: its text styles, scales and\n"
    "              axis angle draw the tool's output, which carries none of them\n"
    "  --scale K   drawing length per paper millimetre (default: the scale of the current layer group)\n"
    "  --width PX  width of the picture in pixels (default 800)\n";

std::string Shown(const std::u16string& text) { return platform::EncodeUtf8(text); }

CommandResult Failed(int status, const std::string& message, bool withUsage = false) {
  return {status, "jwc-render: " + message + "\n" + (withUsage ? kUsage : "")};
}

}  // namespace

CommandResult RunJwcRender(const std::vector<std::u16string>& args) {
  std::vector<std::u16string> files;
  std::u16string hostFile;
  RenderOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::u16string& arg = args[i];
    if (arg == u"--scale" || arg == u"--width" || arg == u"--host") {
      if (i + 1 >= args.size()) return Failed(2, Shown(arg) + " needs a value", true);
      if (arg == u"--host") {
        hostFile = args[++i];
        continue;
      }
      const double value = TextToFloat(args[++i]);
      if (arg == u"--scale") {
        if (!(value > 0.0)) return Failed(2, "the scale must be a number above 0: " + Shown(args[i]));
        options.paperScale = value;
      } else {
        if (!(value >= 64.0 && value <= 20000.0))
          return Failed(2, "the width must be a number of pixels from 64 to 20000: " + Shown(args[i]));
        options.widthPx = value;
      }
    } else if (arg == u"-h" || arg == u"--help") {
      return {0, kUsage};
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) return {2, kUsage};

  TJGdata model;
  if (!hostFile.empty()) {
    TJGdata host;
    if (!host.OpenTempFile(hostFile)) return Failed(1, "cannot read the host's exchange file " + Shown(hostFile));
    model = ModelForOutputOf(host);
  }
  if (!model.OpenTempFile(files[0])) return Failed(1, "cannot read the exchange file " + Shown(files[0]));
  SvgCanvas canvas;
  Render(model, options, canvas);
  // The picture goes to a file beside the target that then replaces it, so a failed run leaves no
  // half-written picture behind.
  const platform::WriteResult written = platform::WriteFileBytes(files[1], canvas.Document());
  if (!written) return Failed(1, "cannot write " + Shown(files[1]) + ": " + Shown(written.reason));
  return {};
}

}  // namespace render
