// The command line's output where a terminal takes UTF-8 as it is.
#include "app/cli.h"

namespace cli {

void print(std::FILE* out, const std::string& utf8) {
  std::fputs(utf8.c_str(), out);
  std::fflush(out);
}

}  // namespace cli
