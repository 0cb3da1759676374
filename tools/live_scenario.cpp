#include "tools/live_scenario.h"

#include "naming/identifiers.h"
#include "tools/scenario_payload.h"

namespace tools {

LiveScenario::LiveScenario(LiveCompileRequest request) : request_(std::move(request)) {}

void LiveScenario::recompile() {
  std::lock_guard compile_lock(compile_mutex_);
  const LiveCompile compiled = compile_live(request_);
  std::uint64_t revision = 0;
  {
    std::lock_guard lock(mutex_);
    revision = revision_ + 1;
  }
  // A compile with errors draws only while there is no better drawing.
  const bool clean = compiled.errors == 0;
  if (compiled.model && (clean || drawing_.is_null() || drawing_has_errors_)) {
    drawing_ = drawing_json(*compiled.model);
    drawing_revision_ = revision;
    drawing_has_errors_ = !clean;
  }
  nlohmann::json payload = {{"revision", revision},
                            {"scenario_id", naming::windows1252_to_utf8(request_.scenario_id)},
                            {"train_id", naming::windows1252_to_utf8(request_.train_id)},
                            {"line_file", request_.line_path},
                            {"train_file", request_.train_path},
                            {"errors", compiled.errors},
                            {"diagnostics", compiled.diagnostics},
                            {"diagnostic_positions", compiled.positions},
                            {"drawing_revision", nullptr},
                            {"drawing_has_errors", drawing_has_errors_}};
  if (!drawing_.is_null()) {
    payload["drawing_revision"] = drawing_revision_;
    for (const auto& item : drawing_.items()) payload[item.key()] = item.value();
  }
  auto text = std::make_shared<const std::string>(payload.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  {
    std::lock_guard lock(mutex_);
    revision_ = revision;
    payload_ = std::move(text);
  }
  changed_.notify_all();
}

LiveScenario::Snapshot LiveScenario::current() const {
  std::lock_guard lock(mutex_);
  return {revision_, payload_};
}

std::uint64_t LiveScenario::wait_past(std::uint64_t seen, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout, [&] { return revision_ > seen || stopped_; });
  return revision_;
}

void LiveScenario::follow(platform::FileWatcher& watcher) {
  while (watcher.wait_for_change() == platform::FileWatcher::Wait::kChanged) recompile();
}

void LiveScenario::stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  changed_.notify_all();
}

bool LiveScenario::stopped() const {
  std::lock_guard lock(mutex_);
  return stopped_;
}

}  // namespace tools
