#pragma once
// The language server's logic, apart from its wire: each message from the
// editor goes in, the messages to send come out. It holds the open
// documents, checks a line description together with its train
// description (found beside it by the naming rule) in the check's single
// reading, and answers hover, completion, outline, quick fixes and
// formatting from the records table and the warning registry.
//
// Checks are not made on every change: changes mark their scenario dirty,
// and flush() checks what is dirty and publishes the diagnostics. The loop
// calls flush() once no message is waiting, so a flood of changes costs
// one check of the latest text.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "reading/records.h"
#include "tools/lsp_document.h"
#include "tools/lsp_transport.h"

namespace tools {

class LspServer {
 public:
  using Json = nlohmann::json;

  // The messages to send in answer to one input of the reader (a message's
  // body, or a header or size the reader refused).
  std::vector<Json> receive(const LspInput& input);
  // The messages to send in answer to one message (already parsed).
  std::vector<Json> handle(const Json& message);

  // Checks the scenarios changed since the last flush and gives the
  // diagnostics to publish.
  std::vector<Json> flush();

  // After "exit": the process ends with exit_code().
  bool exited() const { return exited_; }
  int exit_code() const { return shutdown_ ? 0 : 1; }

 private:
  struct Document {
    std::string uri;
    std::string path;  // empty when the URI names no local file
    std::string text;  // Windows-1252 bytes
    compiler::Description description = compiler::Description::kLine;
  };
  // A line description and its train description, checked as one.
  struct Pair {
    std::string line_path;
    std::string train_path;  // empty when none was found
  };

  Json on_request(const std::string& method, const Json& id, const Json& params);
  void on_notification(const std::string& method, const Json& params);

  Json initialize_result() const;
  void open(const Json& params);
  void change(const Json& params);
  void close(const Json& params);
  Json hover(const Json& params) const;
  Json completion(const Json& params) const;
  Json document_symbols(const Json& params) const;
  Json code_actions(const Json& params) const;
  Json formatting(const Json& params) const;

  const Document* document(const Json& params) const;
  void mark_dirty(const Document& document);
  // The pair a document belongs to; the partner from the open documents or
  // the disk.
  Pair pair_of(const Document& document) const;
  // The text of a file: the open document's, or the disk's.
  std::optional<std::string> text_of(const std::string& path) const;
  std::vector<Json> check(const Pair& pair);
  std::vector<Json> publish(const std::string& uri, Json diagnostics);

  std::map<std::string, Document> documents_;  // by URI
  std::set<std::string> dirty_;                 // URIs changed since the last flush
  std::map<std::string, bool> published_;       // URIs with diagnostics shown
  bool initialized_ = false;
  bool shutdown_ = false;
  bool exited_ = false;
};

}  // namespace tools
