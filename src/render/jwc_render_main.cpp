// jwc-render: draws an exchange file (as the host wrote it, or as the tool wrote it back) into an SVG
// picture, so that a run can be looked at without the host.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "platform.h"
#include "renderer.h"
#include "svg_canvas.h"

namespace {

constexpr const char* kUsage =
    "usage: jwc-render JWC_TEMP.TXT out.svg [--scale K] [--width PX]\n"
    "  --scale K   drawing length per paper millimetre (default: the scale of the current layer group)\n"
    "  --width PX  width of the picture in pixels (default 800)\n";

void Fail(const std::string& message) { std::fprintf(stderr, "jwc-render: %s\n", message.c_str()); }

std::string Shown(const std::u16string& text) { return platform::EncodeUtf8(text); }

// The picture goes to a file beside the target that then replaces it, so a failed run leaves no
// half-written picture behind.
bool WriteWhole(const std::u16string& target, const std::string& bytes) {
  const std::filesystem::path path(target);
  std::filesystem::path partial = path;
  partial += ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(partial, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    return false;
  }
  return true;
}

int Run(const std::vector<std::u16string>& args) {
  std::vector<std::u16string> files;
  render::RenderOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::u16string& arg = args[i];
    if (arg == u"--scale" || arg == u"--width") {
      if (i + 1 >= args.size()) {
        Fail(Shown(arg) + " needs a value");
        std::fputs(kUsage, stderr);
        return 2;
      }
      const double value = TextToFloat(args[++i]);
      if (arg == u"--scale") {
        if (!(value > 0.0)) {
          Fail("the scale must be a number above 0: " + Shown(args[i]));
          return 2;
        }
        options.paperScale = value;
      } else {
        if (!(value >= 64.0 && value <= 20000.0)) {
          Fail("the width must be a number of pixels from 64 to 20000: " + Shown(args[i]));
          return 2;
        }
        options.widthPx = value;
      }
    } else if (arg == u"-h" || arg == u"--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }

  TJGdata model;
  if (!model.OpenTempFile(files[0])) {
    Fail("cannot read the exchange file " + Shown(files[0]));
    return 1;
  }
  render::SvgCanvas canvas;
  render::Render(model, options, canvas);
  if (!WriteWhole(files[1], canvas.Document())) {
    Fail("cannot write " + Shown(files[1]));
    return 1;
  }
  return 0;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg(argv[i]);
    args.emplace_back(arg.begin(), arg.end());
  }
  return Run(args);
}
#else
int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(platform::DecodeUtf8(argv[i]));
  return Run(args);
}
#endif
