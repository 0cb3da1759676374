#pragma once
// The scenario a viewer follows: compiled again whenever a description file
// changes, each compile a new revision, with the JSON payload the page
// reads. A compile with errors keeps the drawing of the last compile
// without errors and reports its own diagnostics beside it.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/file_watcher.h"
#include "tools/live_compile.h"

namespace tools {

class LiveScenario {
 public:
  explicit LiveScenario(LiveCompileRequest request);

  // Compiles the description files as they are now and publishes the
  // result as the next revision.
  void recompile();

  struct Snapshot {
    std::uint64_t revision = 0;
    std::shared_ptr<const std::string> payload;  // JSON text
  };
  Snapshot current() const;

  // Blocks until the revision is past `seen`, the timeout passes or stop()
  // is called; returns the revision then.
  std::uint64_t wait_past(std::uint64_t seen, std::chrono::milliseconds timeout) const;

  // Recompiles on every change the watcher reports, until it stops.
  void follow(platform::FileWatcher& watcher);

  // Wakes every waiter for good.
  void stop();
  bool stopped() const;

 private:
  LiveCompileRequest request_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::uint64_t revision_ = 0;
  std::shared_ptr<const std::string> payload_;
  bool stopped_ = false;
  // Touched only by recompile(), which runs on one thread at a time.
  std::mutex compile_mutex_;
  nlohmann::json drawing_;  // of the last compile without errors, or null
  std::uint64_t drawing_revision_ = 0;
  bool drawing_has_errors_ = false;
};

}  // namespace tools
