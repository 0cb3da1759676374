#include <poll.h>
#include <unistd.h>

#include <iostream>
#include <memory>
#include <ostream>

#include "tools/command.h"
#include "tools/commands.h"
#include "tools/lsp_server.h"
#include "tools/lsp_transport.h"

namespace tools {
namespace {

// True when more input waits, read already or still in the pipe: the checks
// wait until the editor has sent everything it has.
bool input_waiting(std::istream& in, bool is_stdin) {
  if (in.rdbuf()->in_avail() > 0) return true;
  if (!is_stdin) return false;
  pollfd descriptor{STDIN_FILENO, POLLIN, 0};
  return poll(&descriptor, 1, 0) > 0 && (descriptor.revents & POLLIN) != 0;
}

void send(std::ostream& out, const nlohmann::json& message) {
  out << lsp_frame(message);
  out.flush();
}

}  // namespace

int run_lsp(std::istream& in, std::ostream& out, std::ostream& /*err*/, bool is_stdin) {
  LspServer server;
  LspReader reader(in);
  for (;;) {
    const LspInput input = reader.next();
    // The editor gone: the server ends as after "exit".
    if (input.kind == LspInput::Kind::kEnd) return server.exit_code();
    for (const nlohmann::json& reply : server.receive(input)) send(out, reply);
    if (server.exited()) return server.exit_code();
    if (!input_waiting(in, is_stdin)) {
      for (const nlohmann::json& reply : server.flush()) send(out, reply);
    }
  }
}

// The command line of `scenario_tool lsp`.
Command lsp_command() {
  return {"lsp",
          "Serve the Language Server Protocol on standard input and output: diagnostics, hover, completion, "
          "outline, quick fixes and formatting of the description files in any editor.",
          [](CLI::App& command) {
            command.footer(
                "Started by the editor, not by hand (see docs/editors.md). Writes only protocol messages to "
                "standard output and logs to standard error. Exit status: 0 after shutdown and exit, 1 when the "
                "input ends or exit comes without shutdown.");
            return CommandRunner([](std::ostream& out, std::ostream& err) {
              std::ios::sync_with_stdio(false);
              return run_lsp(std::cin, out, err, /*is_stdin=*/true);
            });
          }};
}

}  // namespace tools
