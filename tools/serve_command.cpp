// scenario_tool serve: a live view of a scenario in the browser. Compiles
// the two description files in memory whenever one is saved and serves the
// result to one page, on the loopback interface only.

#include <httplib.h>

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <thread>

#include "naming/file_names.h"
#include "platform/file_watcher.h"
#include "platform/signals.h"
#include "tools/command.h"
#include "tools/commands.h"
#include "tools/identifiers.h"
#include "tools/live_scenario.h"
#include "tools/viewer_page.h"

namespace tools {

using naming::scenario_id_from_line_name;
using naming::train_id_from_train_name;

namespace {

constexpr const char* kLoopback = "127.0.0.1";
// Each open page holds one connection for its event stream.
constexpr std::size_t kConnections = 64;
// The event streams may hold this many of the connections at most: the
// others stay free for the requests of the pages (and anyone else).
constexpr int kMostStreams = 48;
// An idle event stream gets a comment this often, so that a closed page is
// noticed and proxies keep the stream open.
constexpr std::chrono::seconds kKeepAlive{10};

// The identifier of an option or, failing that, of the file name.
std::optional<std::string> identifier(const std::optional<std::string>& typed,
                                      const std::optional<std::string>& from_name, const char* option,
                                      std::ostream& err) {
  if (!typed && !from_name) {
    err << "scenario_tool serve: the file names do not follow the naming rule; give " << option << '\n';
    return std::nullopt;
  }
  return typed_identifier(typed ? *typed : *from_name, "scenario_tool serve", option, err);
}

// What a page may ask for. Anything else is not there: no path is ever
// looked up on disk.
enum class Resource { kPage, kScenario, kEvents, kNone };

Resource resource_of(const httplib::Request& request) {
  if (request.method != "GET") return Resource::kNone;
  if (request.path == "/") return Resource::kPage;
  if (request.path == "/api/scenario") return Resource::kScenario;
  if (request.path == "/api/events") return Resource::kEvents;
  return Resource::kNone;
}

// A page served from elsewhere may reach this server through a name it
// controls (DNS rebinding); its requests then carry that name as Host.
bool host_allowed(const httplib::Request& request, int port) {
  const std::string host = request.get_header_value("Host");
  const std::string suffix = ":" + std::to_string(port);
  return host == kLoopback + suffix || host == "localhost" + suffix;
}

void set_text(httplib::Response& response, int status, const std::string& text) {
  response.status = status;
  response.set_content(text + "\n", "text/plain; charset=utf-8");
}

void stream_events(httplib::Response& response, LiveScenario& live, std::atomic<int>& streams) {
  // Past the cap a page is told to try again later instead of taking a
  // connection that other requests need.
  if (streams.fetch_add(1) >= kMostStreams) {
    streams.fetch_sub(1);
    response.set_header("Retry-After", "5");
    set_text(response, 503, "503 too many open views of this scenario (" + std::to_string(kMostStreams) +
                                "); close a tab or window");
    return;
  }
  response.set_header("Cache-Control", "no-store");
  response.set_chunked_content_provider(
      "text/event-stream",
      [&live, seen = std::uint64_t{0}](std::size_t, httplib::DataSink& sink) mutable {
    const std::uint64_t revision = live.wait_past(seen, kKeepAlive);
    if (live.stopped()) {
      sink.done();
      return true;
    }
    std::string message = ": still here\n\n";
    if (revision > seen) {
      seen = revision;
      message = "event: revision\ndata: {\"revision\": " + std::to_string(revision) + "}\n\n";
    }
    return sink.write(message.data(), message.size());
      },
      // Called once the stream ends, however it ends.
      [&streams](bool) { streams.fetch_sub(1); });
}

httplib::Server::HandlerResponse handle(const httplib::Request& request, httplib::Response& response,
                                        LiveScenario& live, int port, std::atomic<int>& streams) {
  response.set_header("X-Content-Type-Options", "nosniff");
  // One range at most: many ranges of one answer would build an answer many
  // times its size.
  // The answer has no body: the library would cut each range out of one.
  if (request.ranges.size() > 1) {
    response.status = 416;
    return httplib::Server::HandlerResponse::Handled;
  }
  if (!host_allowed(request, port)) {
    set_text(response, 403, "403 this server answers only to 127.0.0.1:" + std::to_string(port) +
                                " and localhost:" + std::to_string(port));
    return httplib::Server::HandlerResponse::Handled;
  }
  switch (resource_of(request)) {
    case Resource::kPage:
      response.set_header("Cache-Control", "no-store");
      // The page is whole in itself: it may load nothing from anywhere.
      response.set_header("Content-Security-Policy",
                          "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
                          "connect-src 'self'; img-src data:; base-uri 'none'; form-action 'none'");
      response.set_content(std::string(viewer_page()), "text/html; charset=utf-8");
      break;
    case Resource::kScenario: {
      response.set_header("Cache-Control", "no-store");
      const LiveScenario::Snapshot snapshot = live.current();
      response.set_content(*snapshot.payload, "application/json; charset=utf-8");
      break;
    }
    case Resource::kEvents:
      stream_events(response, live, streams);
      break;
    case Resource::kNone:
      set_text(response, 404, "404 not found");
      break;
  }
  return httplib::Server::HandlerResponse::Handled;
}

}  // namespace

int run_serve(const ServeOptions& options, std::ostream& out, std::ostream& err) {
  const std::optional<std::string> scenario_from_name = scenario_id_from_line_name(options.line_path);
  const auto scenario_id = identifier(options.scenario_id, scenario_from_name, "--scenario-id", err);
  if (!scenario_id) return kExitUsage;
  const std::string typed_scenario = options.scenario_id ? *options.scenario_id : *scenario_from_name;
  const auto train_id =
      identifier(options.train_id, train_id_from_train_name(options.train_path, typed_scenario), "--train-id", err);
  if (!train_id) return kExitUsage;
  if (options.port < 0 || options.port > 65535) {
    err << "scenario_tool serve: --port " << options.port << " is not a port number (0 to 65535)\n";
    return kExitUsage;
  }

  // Ctrl-C, SIGTERM, SIGHUP and SIGQUIT are taken by one thread, which ends
  // the server; the others never see them. The user signals mean nothing
  // here and end nothing.
  const platform::StopSignals stop_signals;
  std::signal(SIGUSR1, SIG_IGN);
  std::signal(SIGUSR2, SIG_IGN);

  std::error_code no_folder;
  const auto absolute = [&no_folder](const std::string& path) {
    return std::filesystem::absolute(path, no_folder).lexically_normal().string();
  };
  LiveScenario live({options.line_path, options.train_path, *scenario_id, *train_id, options.no_plan,
                     absolute(options.line_path), absolute(options.train_path)});
  platform::FileWatcher watcher({options.line_path, options.train_path});
  if (!watcher.error().empty()) {
    err << "scenario_tool serve: " << watcher.error() << '\n';
    return kExitStopped;
  }
  live.recompile();

  httplib::Server server;
  server.new_task_queue = [] { return new httplib::ThreadPool(kConnections); };
  server.set_keep_alive_timeout(1);
  int port = 0;
  std::atomic<int> streams = 0;
  server.set_pre_routing_handler([&](const httplib::Request& request, httplib::Response& response) {
    return handle(request, response, live, port, streams);
  });
  // Address reuse only: a port that another server listens on (even another
  // serve) is refused instead of shared, which would split the requests
  // between two scenarios. The socket is kept to lengthen its listen queue.
  int listening_socket = -1;
  server.set_socket_options([&listening_socket](socket_t socket) {
    int yes = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    listening_socket = socket;
  });
  errno = 0;
  if (options.port == 0) {
    port = server.bind_to_any_port(kLoopback);
  } else {
    port = server.bind_to_port(kLoopback, options.port) ? options.port : -1;
  }
  if (port <= 0) {
    const int error = errno;
    err << "scenario_tool serve: cannot listen on " << kLoopback << ":" << options.port;
    if (error == EADDRINUSE) err << ": the port is in use; give another with --port, or 0 for a free one";
    else if (error != 0) err << ": " << std::strerror(error);
    err << '\n';
    return kExitUnavailable;
  }
  // The library listens with a queue of 5; many clients at once would wait
  // a second for a retry. Listening again only lengthens the queue.
  if (listening_socket >= 0) ::listen(listening_socket, SOMAXCONN);

  std::thread follower([&] { live.follow(watcher); });
  // Waits for Ctrl-C or SIGTERM and ends the server. A signal may come
  // before the server has started to listen, when stop() would not reach
  // it; so stop() is repeated until listening has ended.
  std::atomic<bool> listening_ended = false;
  std::atomic<int> stopped_by = 0;
  std::thread stopper([&] {
    while (!listening_ended) {
      if (const int taken = stop_signals.wait_signal(std::chrono::milliseconds(50))) {
        stopped_by = taken;
        break;
      }
    }
    live.stop();
    watcher.stop();
    while (!listening_ended) {
      server.stop();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });

  const std::string url = "http://" + std::string(kLoopback) + ":" + std::to_string(port) + "/";
  out << "serving " << url << std::endl;
  // Where nobody may read standard output (a file, a closed pipe), the
  // address stands on standard error too.
  if (!out || ::isatty(STDOUT_FILENO) == 0) err << "scenario_tool serve: serving " << url << std::endl;
  const bool listened = server.listen_after_bind();
  listening_ended = true;
  stopper.join();
  follower.join();
  if (stopped_by != 0 && stopped_by != SIGINT) {
    err << "scenario_tool serve: stopped by " << platform::stop_signal_name(stopped_by) << '\n';
  }
  if (!listened) {
    err << "scenario_tool serve: the server stopped on an error\n";
    return kExitStopped;
  }
  return kExitClean;
}

// The command line of `scenario_tool serve`.
Command serve_command() {
  return {"serve",
          "Show LINE and TRAIN in the browser, compiled again at every save (http://127.0.0.1 only).",
          [](CLI::App& command) {
            auto options = std::make_shared<ServeOptions>();
            command.add_option("LINE", options->line_path, "Line description file (S_linea.txt)")->required();
            command.add_option("TRAIN", options->train_path, "Train description file (S_T-.txt)")->required();
            command.add_option("--port", options->port, "Port to listen on; 0 takes a free one")
                ->capture_default_str();
            command.add_option("--scenario-id", options->scenario_id,
                               "Scenario identifier S (default: from LINE's name, S_linea.txt)");
            command.add_option("--train-id", options->train_id,
                               "Train identifier T (default: from TRAIN's name, S_T-.txt)");
            command.add_flag("--no-plan", options->no_plan, "No track plan");
            command.footer(
                "Prints its address (also on standard error when standard output is no terminal) and runs until "
                "Ctrl-C, SIGTERM, SIGHUP or SIGQUIT. Exit status: 0 stopped by one of them, 2 a file cannot be "
                "watched or the server failed, 64 bad usage, 69 the port cannot be listened on (in use by "
                "another program).");
            return CommandRunner([options](std::ostream& out, std::ostream& err) {
              return run_serve(*options, out, err);
            });
          }};
}

}  // namespace tools
