// jwc-render: draws an exchange file (as the host wrote it, or as the tool wrote it back) into an SVG
// picture, so that a run can be looked at without the host.
#include <cstdio>
#include <string>
#include <vector>

#include "jwc_render.h"
#include "platform.h"

namespace {

// A successful run says nothing unless help was asked for; that goes to standard output.
int Report(const render::CommandResult& result) {
  std::fputs(result.message.c_str(), result.status == 0 ? stdout : stderr);
  return result.status;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg(argv[i]);
    args.emplace_back(arg.begin(), arg.end());
  }
  return Report(render::RunJwcRender(args));
}
#else
int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(platform::DecodeUtf8(argv[i]));
  return Report(render::RunJwcRender(args));
}
#endif
