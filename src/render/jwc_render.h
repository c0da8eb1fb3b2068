// The jwc-render command without its process: arguments in, a picture file and a status out, so that
// the tests run it in both builds.
#pragma once

#include <string>
#include <vector>

namespace render {

struct CommandResult {
  int status = 0;       // 0 done, 1 a file could not be read or written, 2 the arguments are wrong
  std::string message;  // UTF-8, for standard error (the usage text for standard output after --help)
};

// jwc-render JWC_TEMP.TXT out.svg [--host FILE] [--scale K] [--width PX]: draws the exchange file (either
// encoding, input or output) into out.svg, read with the text styles, scales and axis angle of the host's
// file when one is given; a picture that cannot be written completely is not left behind.
CommandResult RunJwcRender(const std::vector<std::u16string>& args);

}  // namespace render
