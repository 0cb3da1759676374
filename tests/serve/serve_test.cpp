// scenario_tool serve end to end: the built tool started on port 0 in a
// folder with the embedded descriptions, asked over plain HTTP, its files
// saved in the ways editors save them.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "serve/server_process.h"
#include "support/temp_dir.h"

namespace {

using nlohmann::json;
using serve_test::HttpReply;
using serve_test::ServerProcess;
using testing_support::TempDir;

constexpr const char* kLine = "Alvera_Monteluce_linea.txt";
constexpr const char* kTrain = "Alvera_Monteluce_2734-2-.txt";
constexpr const char* kFirstSignal = "segnale,    1050,   2, 4, 1,  0, 0,    0,  0,0,0, 0\r\n";

// Saves as editors that write a new file and rename it over the old one.
void save_by_rename(const TempDir& folder, const std::string& name, const std::string& bytes) {
  folder.write(name + ".swp~", bytes);
  std::filesystem::rename(folder.file(name + ".swp~"), folder.file(name));
}

// Saves as editors that truncate the file and write it again.
void save_in_place(const TempDir& folder, const std::string& name, const std::string& bytes) {
  std::ofstream out(folder.file(name), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string without(std::string text, const std::string& line) {
  const auto at = text.find(line);
  if (at != std::string::npos) text.erase(at, line.size());
  return text;
}

class Serve : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(testing_support::run_program(SCENARIO_TOOL_EXE, {"sources", "."}, folder_.path()).exit_status, 0);
    train_ = folder_.read(kTrain);
    ASSERT_NE(train_.find(kFirstSignal), std::string::npos);
    server_ = std::make_unique<ServerProcess>(std::vector<std::string>{"serve", kLine, kTrain}, folder_.path());
    ASSERT_GT(server_->port(), 0) << "first line: " << server_->first_line();
  }
  void TearDown() override {
    if (server_) {
      EXPECT_EQ(server_->stop(), 0) << "Ctrl-C ends the server cleanly";
    }
  }

  json scenario() const {
    const HttpReply reply = server_->get("/api/scenario");
    EXPECT_EQ(reply.status, 200);
    return json::parse(reply.body, nullptr, false);
  }
  // The scenario once its revision is past `seen`; fails after five seconds.
  json revision_after(int seen) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
      json now = scenario();
      if (now.is_object() && now["revision"].get<int>() > seen) return now;
      if (std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "no revision after " << seen;
        return now;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  TempDir folder_;
  std::string train_;
  std::unique_ptr<ServerProcess> server_;
};

TEST_F(Serve, ServesThePageAndTheCompiledScenario) {
  const HttpReply page = server_->get("/");
  EXPECT_EQ(page.status, 200);
  EXPECT_NE(page.headers.find("Content-Type: text/html"), std::string::npos) << page.headers;
  EXPECT_NE(page.body.find("<svg id=\"plan\""), std::string::npos);
  EXPECT_NE(page.body.find("new EventSource(\"/api/events\")"), std::string::npos);
  // Nothing is fetched from elsewhere: no source or link leaves the page.
  for (const char* outside : {"src=", "href=", "https://", "import "}) {
    EXPECT_EQ(page.body.find(outside), std::string::npos) << outside;
  }

  const json now = scenario();
  ASSERT_TRUE(now.is_object());
  EXPECT_EQ(now["revision"], 1);
  EXPECT_EQ(now["diagnostics"], json::array());
  EXPECT_EQ(now["drawing_revision"], 1);
  ASSERT_EQ(now["stations"].size(), 16u);
  EXPECT_EQ(now["stations"][0]["name"], "ALVERA LEVANTE");
  EXPECT_EQ(now["stations"][15]["name"], "MONTELUCE");
  EXPECT_EQ(now["signals"].size(), 45u);
  EXPECT_EQ(now["signals"][0], 1100.0) << "the signal at 1050 m stands in cell 22";
  EXPECT_EQ(now["line_metres"], 97000.0);
  EXPECT_EQ(now["gradients"][0]["value"], 2);
  EXPECT_EQ(now["speed_limits"][0]["value"], 30);
  EXPECT_FALSE(now["tunnels"].empty());
  // The plan, thinned: far fewer corners than metres, first at the origin.
  const json& plan = now["plan"];
  ASSERT_GT(plan["metres"].size(), 10u);
  EXPECT_LT(plan["metres"].size(), 20000u);
  EXPECT_EQ(plan["metres"][0], 0);
  EXPECT_EQ(plan["metres"].back(), 103998);
  EXPECT_EQ(plan["x"][0], 0.0);
  // Compiling writes no file.
  EXPECT_FALSE(folder_.exists("Alvera_Monteluce_2734-2.dat"));
  EXPECT_FALSE(folder_.exists("Alvera_Monteluce_linea.dat"));
}

TEST_F(Serve, EverySaveIsANewRevisionWithItsData) {
  save_by_rename(folder_, kTrain, without(train_, kFirstSignal));
  const json renamed = revision_after(1);
  EXPECT_EQ(renamed["revision"], 2);
  EXPECT_EQ(renamed["signals"].size(), 44u);
  EXPECT_EQ(renamed["signals"][0], 2300.0);

  save_in_place(folder_, kTrain, train_);
  const json rewritten = revision_after(2);
  EXPECT_EQ(rewritten["revision"], 3);
  EXPECT_EQ(rewritten["signals"].size(), 45u);

  // The line file is watched too.
  std::string line = folder_.read(kLine);
  save_by_rename(folder_, kLine, line);
  EXPECT_EQ(revision_after(3)["revision"], 4);
  // A file beside them is not.
  folder_.write("notes.txt", "x");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(scenario()["revision"], 4);
}

TEST_F(Serve, NamesInWindows1252AreServedAsUtf8) {
  std::string renamed = train_;
  const std::string name = "VERZANO";
  renamed.replace(renamed.find(name), name.size(), "CITT\xC0 \x80");  // A grave, euro sign
  save_by_rename(folder_, kTrain, renamed);
  const json now = revision_after(1);
  EXPECT_EQ(now["stations"][1]["name"], "CITT\xC3\x80 \xE2\x82\xAC");
}

TEST_F(Serve, AnErrorKeepsTheLastGoodDrawingAndSaysWhereItIs) {
  // The signal at 2250 m moved onto the cell of the one at 1050 m.
  std::string broken = train_;
  const std::string second = "segnale,    2250,";
  broken.replace(broken.find(second), second.size(), "segnale,    1050,");
  save_by_rename(folder_, kTrain, broken);
  const json failed = revision_after(1);
  EXPECT_EQ(failed["revision"], 2);
  EXPECT_EQ(failed["errors"], 1);
  ASSERT_EQ(failed["diagnostics"].size(), 1u) << failed["diagnostics"].dump();
  const json& error = failed["diagnostics"][0];
  EXPECT_EQ(error["severity"], "error");
  EXPECT_EQ(error["kind"], 16);
  EXPECT_EQ(error["file"], kTrain);
  EXPECT_EQ(error["line"], 42);
  EXPECT_EQ(failed["diagnostic_positions"], json::array({1050}));
  EXPECT_EQ(failed["drawing_revision"], 1) << "the drawing of the last revision without errors";
  EXPECT_EQ(failed["signals"].size(), 45u);

  save_by_rename(folder_, kTrain, train_);
  const json mended = revision_after(2);
  EXPECT_EQ(mended["errors"], 0);
  EXPECT_EQ(mended["drawing_revision"], 3);
}

TEST_F(Serve, ADeletedFileIsAnErrorUntilItComesBack) {
  std::filesystem::remove(folder_.file(kTrain));
  const json gone = revision_after(1);
  EXPECT_GE(gone["errors"], 1);
  EXPECT_EQ(gone["drawing_revision"], 1);
  folder_.write(kTrain, train_);
  json back = revision_after(gone["revision"].get<int>());
  // Creating and writing may come as one change or two.
  if (back["errors"] != 0) back = revision_after(back["revision"].get<int>());
  EXPECT_EQ(back["errors"], 0);
  EXPECT_EQ(back["drawing_revision"], back["revision"]);
}

TEST_F(Serve, AnswersOnlyToItsOwnNameAndOnlyItsThreePaths) {
  const int port = server_->port();
  const std::string suffix = ":" + std::to_string(port);
  struct HostCase {
    std::string host;
    int status;
  };
  const HostCase hosts[] = {
      {"127.0.0.1" + suffix, 200}, {"localhost" + suffix, 200},  {"attacker.example" + suffix, 403},
      {"127.0.0.1", 403},          {"127.0.0.1:1" , 403},        {"localhost.attacker.example" + suffix, 403},
      {"", 403},
  };
  for (const HostCase& c : hosts) {
    EXPECT_EQ(serve_test::request(port, "GET", "/api/scenario", c.host).status, c.status) << "Host: " << c.host;
  }
  const char* missing[] = {"/..",
                           "/../../../../etc/passwd",
                           "/%2e%2e/%2e%2e/%2e%2e/etc/passwd",
                           "/%2E%2E%2F%2E%2E%2Fetc%2Fpasswd",
                           "/api/../api/scenario",
                           "/./",
                           "/index.html",
                           "/Alvera_Monteluce_linea.txt",
                           "/api/scenario/",
                           "/api",
                           "//etc/passwd"};
  for (const char* target : missing) {
    const HttpReply reply = server_->get(target);
    EXPECT_EQ(reply.status, 404) << target;
    EXPECT_EQ(reply.body.find("generale"), std::string::npos) << target;
  }
  EXPECT_EQ(serve_test::request(port, "POST", "/api/scenario", server_->host()).status, 404);
  EXPECT_EQ(serve_test::request(port, "DELETE", "/", server_->host()).status, 404);
}

TEST_F(Serve, ListensOnTheLoopbackInterfaceOnly) {
  // /proc/net/tcp lists listening sockets (state 0A) as ADDRESS:PORT in hex.
  std::ifstream table("/proc/net/tcp");
  std::ostringstream wanted;
  wanted << std::uppercase << std::hex << server_->port();
  std::string row;
  std::vector<std::string> addresses;
  while (std::getline(table, row)) {
    std::istringstream fields(row);
    std::string slot, local, remote, state;
    fields >> slot >> local >> remote >> state;
    const auto colon = local.find(':');
    if (state == "0A" && colon != std::string::npos && local.substr(colon + 1).find_first_not_of('0') != std::string::npos &&
        std::stoi(local.substr(colon + 1), nullptr, 16) == server_->port()) {
      addresses.push_back(local.substr(0, colon));
    }
  }
  EXPECT_EQ(addresses, std::vector<std::string>{"0100007F"});
}

TEST_F(Serve, EventStreamTellsEachRevision) {
  const int fd = serve_test::connect_to(server_->port());
  ASSERT_GE(fd, 0);
  const std::string request = "GET /api/events HTTP/1.1\r\nHost: " + server_->host() + "\r\n\r\n";
  ASSERT_EQ(::write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
  const auto has = [](const std::string& wanted) {
    return [wanted](const std::string& text) { return text.find(wanted) != std::string::npos; };
  };
  std::string stream = serve_test::read_until(fd, std::chrono::seconds(5), has("data: {\"revision\": 1}"));
  EXPECT_NE(stream.find("Content-Type: text/event-stream"), std::string::npos) << stream;
  EXPECT_NE(stream.find("event: revision"), std::string::npos) << stream;
  save_by_rename(folder_, kTrain, without(train_, kFirstSignal));
  stream = serve_test::read_until(fd, std::chrono::seconds(5), has("data: {\"revision\": 2}"));
  EXPECT_NE(stream.find("data: {\"revision\": 2}"), std::string::npos) << stream;
  // Ctrl-C ends the server while the stream is open.
  EXPECT_EQ(server_->stop(), 0);
  ::close(fd);
}

// The folder that holds the files (the server's working folder too)
// removed and made anew, as a switched checkout does: once the files are
// back, the view shows them.
TEST_F(Serve, FollowsItsFolderRemovedAndMadeAnew) {
  const std::string line = folder_.read(kLine);
  std::filesystem::remove_all(folder_.path());
  const json gone = revision_after(1);
  EXPECT_GE(gone["errors"], 1);
  std::filesystem::create_directory(folder_.path());
  folder_.write(kLine, line);
  folder_.write(kTrain, train_);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  json back = revision_after(gone["revision"].get<int>());
  while (back["errors"] != 0 && std::chrono::steady_clock::now() < deadline) {
    back = revision_after(back["revision"].get<int>());
  }
  EXPECT_EQ(back["errors"], 0) << back.dump().substr(0, 500);
  EXPECT_EQ(back["drawing_revision"], back["revision"]);
}

// Open pages hold one connection each for their event stream; past a cap
// a stream is refused at once (503, try again later), so that many tabs
// never lock out the requests of the pages. A closed stream frees its place.
TEST_F(Serve, EventStreamsLeaveConnectionsForOtherRequests) {
  const auto open_stream = [&] {
    const int fd = serve_test::connect_to(server_->port());
    const std::string text = "GET /api/events HTTP/1.1\r\nHost: " + server_->host() + "\r\n\r\n";
    EXPECT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    const std::string head = serve_test::read_until(fd, std::chrono::seconds(5), [](const std::string& got) {
      return got.find("\r\n\r\n") != std::string::npos;
    });
    return std::make_pair(fd, head.substr(0, 12));
  };
  std::vector<int> open;
  int refused = 0;
  for (int i = 0; i < 60; ++i) {
    const auto [fd, status] = open_stream();
    if (status == "HTTP/1.1 200") {
      open.push_back(fd);
    } else {
      EXPECT_EQ(status, "HTTP/1.1 503");
      ++refused;
      ::close(fd);
    }
  }
  EXPECT_EQ(open.size(), 48u);
  EXPECT_EQ(refused, 12);
  const auto asked = std::chrono::steady_clock::now();
  EXPECT_EQ(server_->get("/api/scenario").status, 200);
  EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(1));
  for (const int fd : open) ::close(fd);
  // The places come free once the server notices the closed streams (at
  // its next keep-alive comment at the latest).
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  std::string status;
  while (std::chrono::steady_clock::now() < deadline) {
    auto [fd, got] = open_stream();
    ::close(fd);
    status = got;
    if (status == "HTTP/1.1 200") break;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  EXPECT_EQ(status, "HTTP/1.1 200");
}

// An answer of many ranges would be many times the answer: more than one
// range is refused, with no body; one range is served.
TEST_F(Serve, MoreThanOneRangeIsRefusedWithoutABody) {
  std::string ranges = "Range: bytes=0-";
  for (int i = 0; i < 2700; ++i) ranges += ",0-";
  HttpReply reply = serve_test::request(server_->port(), "GET", "/api/scenario", server_->host(), ranges + "\r\n");
  EXPECT_EQ(reply.status, 416);
  EXPECT_TRUE(reply.body.empty()) << reply.body.size() << " bytes";
  reply = serve_test::request(server_->port(), "GET", "/api/scenario", server_->host(), "Range: bytes=0-9\r\n");
  EXPECT_EQ(reply.status, 206);
  EXPECT_EQ(reply.body.size(), 10u);
}

// A port another server holds is refused, naming the port, rather than
// shared (which would split the requests between two scenarios).
TEST(ServeHostile, APortInUseIsRefusedNamingIt) {
  TempDir folder;
  ASSERT_EQ(testing_support::run_program(SCENARIO_TOOL_EXE, {"sources", "."}, folder.path()).exit_status, 0);
  ServerProcess first({"serve", kLine, kTrain}, folder.path());
  ASSERT_GT(first.port(), 0);
  testing_support::RunLimits limits;
  limits.working_folder = folder.path();
  limits.time_limit_milliseconds = 10000;
  const testing_support::ProgramRun second = testing_support::run_program_with(
      SCENARIO_TOOL_EXE, {"serve", kLine, kTrain, "--port", std::to_string(first.port())}, limits);
  EXPECT_EQ(second.exit_status, 69) << second.standard_error;
  EXPECT_NE(second.standard_error.find("127.0.0.1:" + std::to_string(first.port()) + ": the port is in use"),
            std::string::npos)
      << second.standard_error;
  EXPECT_EQ(first.get("/api/scenario").status, 200) << "the first server goes on";
  EXPECT_EQ(first.stop(), 0);
}

// The terminal closing (SIGHUP), SIGQUIT and SIGTERM end it as Ctrl-C does.
TEST(ServeHostile, StopSignalsEndItCleanly) {
  TempDir folder;
  ASSERT_EQ(testing_support::run_program(SCENARIO_TOOL_EXE, {"sources", "."}, folder.path()).exit_status, 0);
  for (const int signal : {SIGHUP, SIGQUIT, SIGTERM}) {
    ServerProcess server({"serve", kLine, kTrain}, folder.path());
    ASSERT_GT(server.port(), 0);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(server.stop(signal), 0) << strsignal(signal);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2)) << strsignal(signal);
  }
}

// With standard output where nobody reads it, the address stands on
// standard error too.
TEST(ServeHostile, TheAddressStandsOnStandardErrorWhenOutputIsNoTerminal) {
  TempDir folder;
  ASSERT_EQ(testing_support::run_program(SCENARIO_TOOL_EXE, {"sources", "."}, folder.path()).exit_status, 0);
  testing_support::RunLimits limits;
  limits.working_folder = folder.path();
  limits.kill_after_microseconds = 1'500'000;
  const testing_support::ProgramRun run = testing_support::run_program_with(SCENARIO_TOOL_EXE, {"serve", kLine, kTrain}, limits);
  EXPECT_NE(run.standard_error.find("scenario_tool serve: serving http://127.0.0.1:"), std::string::npos)
      << run.standard_error;
}

TEST(ServeUsage, RefusesWhatItCannotServe) {
  TempDir folder;
  ASSERT_EQ(testing_support::run_program(SCENARIO_TOOL_EXE, {"sources", "."}, folder.path()).exit_status, 0);
  struct Case {
    std::vector<std::string> arguments;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {{"serve", kLine, kTrain, "--port", "70000"}, 64, "not a port number"},
      {{"serve", "line.txt", kTrain}, 64, "--scenario-id"},
      {{"serve", kLine, kTrain, "--train-id", ".."}, 64, "--train-id"},
      {{"serve", "no-such-folder/Alvera_Monteluce_linea.txt", kTrain}, 2, "cannot watch the folder"},
  };
  for (const Case& c : cases) {
    const auto run = testing_support::run_program(SCENARIO_TOOL_EXE, c.arguments, folder.path());
    EXPECT_EQ(run.exit_status, c.status) << c.arguments[1];
    EXPECT_NE(run.standard_error.find(c.message), std::string::npos) << run.standard_error;
  }
}

}  // namespace
