// The language server's reader and message handling on arbitrary bytes:
// every input is framed, refused or ends the reading; no message makes the
// server throw, and every reply frames as JSON.

#include <cstdlib>
#include <cstdio>
#include <sstream>
#include <string>

#include "fuzz/targets/fuzz_targets.h"
#include "tools/lsp_server.h"
#include "tools/lsp_transport.h"

namespace fuzz {
namespace {

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "broken invariant: %s\n", what);
    std::abort();
  }
}

}  // namespace

int lsp(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  // A small limit, so that the refusal of large bodies is reached too.
  tools::LspReader reader(in, 4096);
  tools::LspServer server;
  for (std::size_t messages = 0; messages < 10000; ++messages) {
    const std::size_t before = static_cast<std::size_t>(in.tellg() < 0 ? size : static_cast<std::size_t>(in.tellg()));
    const tools::LspInput input = reader.next();
    if (input.kind == tools::LspInput::Kind::kEnd) break;
    check(input.body.size() <= 4096, "the reader keeps no body above its limit");
    for (const nlohmann::json& reply : server.receive(input)) {
      const std::string framed = tools::lsp_frame(reply);
      check(framed.rfind("Content-Length: ", 0) == 0, "a reply is framed");
    }
    if (server.exited()) break;
    for (const nlohmann::json& reply : server.flush()) (void)tools::lsp_frame(reply);
    const std::size_t after = static_cast<std::size_t>(in.tellg() < 0 ? size : static_cast<std::size_t>(in.tellg()));
    check(after > before, "the reader moves forward");
  }
  return 0;
}

}  // namespace fuzz
