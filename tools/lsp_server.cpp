#include "tools/lsp_server.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "compiler/check.h"
#include "naming/file_names.h"
#include "reading/description_file.h"
#include "reading/field_reader.h"
#include "reading/text.h"
#include "tools/formatter.h"
#include "tools/hints.h"

namespace tools {
namespace {

using Json = nlohmann::json;

// The JSON-RPC error codes the server answers with.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;

// The symbols of one outline, at most: a huge file still answers quickly.
constexpr std::size_t kMostSymbols = 10000;

Json error_response(const Json& id, int code, const std::string& message) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

Json result_response(const Json& id, Json result) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

Json position_json(LspPosition position) { return {{"line", position.line}, {"character", position.character}}; }

Json range_json(LspPosition start, LspPosition end) {
  return {{"start", position_json(start)}, {"end", position_json(end)}};
}

LspPosition position_from(const Json& json) {
  return {json.at("line").get<int>(), json.at("character").get<int>()};
}

std::string file_name(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string directory_of(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

// The fields of one record line as the compiler reads them: the keyword's
// record kind, and where each field starts and ends in the line.
struct RecordLine {
  const compiler::RecordSpec* spec = nullptr;
  std::size_t keyword_end = 0;  // the keyword field's end (before its comma)
  struct Field {
    std::size_t start = 0;
    std::size_t end = 0;
    std::optional<std::int64_t> value;
  };
  std::vector<Field> fields;
};

std::string_view trimmed_view(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The end of the field that starts at start: up to a comma or the line's
// end, without trailing blanks; a number ends at a blank.
std::size_t field_end(std::string_view line, std::size_t start, bool number) {
  std::size_t end = start;
  while (end < line.size() && line[end] != ',' && !(number && compiler::is_blank(line[end]) && end > start)) ++end;
  while (end > start && compiler::is_blank(line[end - 1])) --end;
  return end;
}

const compiler::RecordSpec* record_kind(std::string_view keyword, compiler::Description description) {
  const compiler::KeywordField field(keyword);
  for (const compiler::RecordSpec& spec : compiler::record_specs()) {
    if (compiler::description_of(spec.group) == description && compiler::keyword_matches(spec, field)) return &spec;
  }
  return nullptr;
}

RecordLine read_record_line(std::string_view line, compiler::Description description) {
  RecordLine record;
  const std::size_t comma = line.find(',');
  const std::string_view keyword = line.substr(0, comma);
  if (trimmed_view(keyword).empty() || trimmed_view(keyword).front() == '[') return record;
  record.spec = record_kind(keyword, description);
  record.keyword_end = keyword.size();
  if (!record.spec || comma == std::string_view::npos) return record;
  compiler::FieldReader reader(line.substr(comma + 1));
  const std::size_t base = comma + 1;
  for (const compiler::FieldSpec& field : record.spec->fields) {
    if (reader.at_end()) break;
    RecordLine::Field read;
    try {
      if (field.type == compiler::FieldType::kText) {
        reader.read_text();
      } else {
        read.value = reader.read_number(INT64_MIN / 2, INT64_MAX / 2);
      }
    } catch (const compiler::ReadingFailure&) {
      read.value.reset();
    }
    read.start = base + reader.field_start();
    read.end = field_end(line, read.start, field.type != compiler::FieldType::kText);
    record.fields.push_back(read);
  }
  return record;
}

// The section header that governs a line: the last header above it,
// lower-case, or empty.
std::string section_at(const LspLines& lines, std::size_t line_index) {
  for (std::size_t i = line_index + 1; i-- > 0;) {
    const std::string_view text = trimmed_view(lines.line(i));
    if (!text.empty() && text.front() == '[') {
      const std::size_t close = text.find(']');
      return compiler::to_lower_1252(text.substr(0, close == std::string_view::npos ? text.size() : close + 1));
    }
  }
  return {};
}

std::string signed_text(std::int64_t value) { return (value > 0 ? "+" : "") + std::to_string(value); }

// A field's value as the author means it, with its unit.
std::string decoded_value(const compiler::FieldSpec& field, std::int64_t value) {
  const std::string unit(field.unit);
  if (unit == "m") {
    const std::int64_t whole = value / 1000;
    const std::int64_t part = (value < 0 ? -value : value) % 1000;
    std::string metres = std::to_string(part);
    metres.insert(0, 3 - metres.size(), '0');
    return std::to_string(value) + " m (km " + (value < 0 && whole == 0 ? "-" : "") + std::to_string(whole) + "." +
           metres + ")";
  }
  if (unit == "per mille") return signed_text(value) + " per mille";
  if (unit.empty()) return std::to_string(value);
  return std::to_string(value) + " " + unit;
}

std::string field_hover(const compiler::RecordSpec& spec, std::size_t index, const RecordLine::Field& read) {
  const compiler::FieldSpec& field = spec.fields[index];
  std::string text = "**" + std::string(spec.keyword) + "** (" + std::string(spec.title) + "), field " +
                     std::to_string(index + 1) + " of " + std::to_string(spec.fields.size()) + ": `" +
                     std::string(field.name) + "`\n\n" + std::string(field.meaning) + ".";
  if (!field.unit.empty()) text += " Unit: " + std::string(field.unit) + ".";
  if (!field.range.empty()) text += " Range: " + std::string(field.range) + ".";
  if (read.value) {
    text += "\n\nValue: " + decoded_value(field, *read.value);
    const compiler::FieldBounds& bounds = field.bounds;
    if (bounds.checked && (*read.value < bounds.low || *read.value > bounds.high)) text += " (outside its range)";
  }
  return text;
}

std::string record_hover(const compiler::RecordSpec& spec) {
  std::string text = "**" + std::string(spec.keyword) + "** (" + std::string(spec.title) + ", in " +
                     std::string(spec.section) + ")\n\n" + std::string(spec.summary) + "\n\nFields: ";
  for (std::size_t i = 0; i < spec.fields.size(); ++i) {
    text += (i > 0 ? ", " : "") + std::string("`") + std::string(spec.fields[i].name) + "`";
  }
  text += "\n\nExample: `" + std::string(spec.example) + "`";
  return text;
}

// A snippet of a record: its keyword and a placeholder per field; the
// clock's numbers are separated by blanks, as it reads them.
std::string record_snippet(const compiler::RecordSpec& spec) {
  std::string snippet(spec.keyword);
  const bool blanks = spec.id == compiler::RecordId::kClock;
  for (std::size_t i = 0; i < spec.fields.size(); ++i) {
    snippet += blanks && i > 0 ? "  " : ",  ";
    snippet += "${" + std::to_string(i + 1) + ":" + std::string(spec.fields[i].name) + "}";
  }
  return snippet;
}

// The record kinds that belong under a section header of a description.
bool belongs_under(const compiler::RecordSpec& spec, compiler::Description description, const std::string& section) {
  if (compiler::description_of(spec.group) != description) return false;
  if (section.empty()) return spec.section == "[generale]";
  return spec.section == section;
}

Json symbol(const std::string& name, const std::string& detail, int kind, Json range) {
  return {{"name", name.empty() ? std::string("?") : name},
          {"detail", detail},
          {"kind", kind},
          {"range", range},
          {"selectionRange", range}};
}

// The did-you-mean word of an unknown-keyword message, if it has one.
std::optional<std::string> suggested_word(const std::string& message) {
  const std::string marker = "did you mean '";
  const std::size_t at = message.rfind(marker);
  if (at == std::string::npos) return std::nullopt;
  const std::size_t start = at + marker.size();
  const std::size_t end = message.find('\'', start);
  if (end == std::string::npos || end == start) return std::nullopt;
  return message.substr(start, end - start);
}

}  // namespace

std::vector<Json> LspServer::receive(const LspInput& input) {
  switch (input.kind) {
    case LspInput::Kind::kEnd:
      return {};
    case LspInput::Kind::kTooLarge:
      std::fprintf(stderr, "scenario_tool lsp: a message above the size limit was skipped\n");
      return {error_response(nullptr, kInvalidRequest, "the message is larger than the server takes; it was skipped")};
    case LspInput::Kind::kBadHeader:
      std::fprintf(stderr, "scenario_tool lsp: a header without a Content-Length was skipped\n");
      return {error_response(nullptr, kParseError, "the header has no usable Content-Length")};
    case LspInput::Kind::kMessage:
      break;
  }
  Json message;
  try {
    message = Json::parse(input.body);
  } catch (const Json::exception&) {
    return {error_response(nullptr, kParseError, "the message is no JSON")};
  }
  return handle(message);
}

std::vector<Json> LspServer::handle(const Json& message) {
  if (!message.is_object() || !message.contains("method") || !message["method"].is_string()) {
    // A response to a request of ours (there are none) is passed over.
    if (message.is_object() && message.contains("id") && (message.contains("result") || message.contains("error"))) {
      return {};
    }
    const Json id = message.is_object() && message.contains("id") ? message["id"] : Json(nullptr);
    return {error_response(id.is_number_integer() || id.is_string() ? id : Json(nullptr), kInvalidRequest,
                           "a message needs a method")};
  }
  const std::string method = message["method"];
  const Json params = message.contains("params") ? message["params"] : Json::object();
  if (!message.contains("id")) {
    try {
      on_notification(method, params);
    } catch (const Json::exception& error) {
      std::fprintf(stderr, "scenario_tool lsp: %s: bad parameters: %s\n", method.c_str(), error.what());
    }
    return {};
  }
  const Json& id = message["id"];
  if (!id.is_number_integer() && !id.is_string()) return {error_response(nullptr, kInvalidRequest, "a bad id")};
  try {
    return {on_request(method, id, params)};
  } catch (const Json::exception& error) {
    return {error_response(id, kInvalidParams, std::string("bad parameters: ") + error.what())};
  }
}

Json LspServer::on_request(const std::string& method, const Json& id, const Json& params) {
  if (shutdown_) return error_response(id, kInvalidRequest, "the server is shutting down");
  if (method == "initialize") {
    initialized_ = true;
    return result_response(id, initialize_result());
  }
  if (!initialized_) return error_response(id, kServerNotInitialized, "initialize first");
  if (method == "shutdown") {
    shutdown_ = true;
    return result_response(id, nullptr);
  }
  if (method == "textDocument/hover") return result_response(id, hover(params));
  if (method == "textDocument/completion") return result_response(id, completion(params));
  if (method == "textDocument/documentSymbol") return result_response(id, document_symbols(params));
  if (method == "textDocument/codeAction") return result_response(id, code_actions(params));
  if (method == "textDocument/formatting") return result_response(id, formatting(params));
  return error_response(id, kMethodNotFound, "no such method: " + method);
}

void LspServer::on_notification(const std::string& method, const Json& params) {
  if (method == "exit") {
    exited_ = true;
    return;
  }
  if (!initialized_ || shutdown_) return;
  if (method == "textDocument/didOpen") open(params);
  else if (method == "textDocument/didChange") change(params);
  else if (method == "textDocument/didClose") close(params);
}

Json LspServer::initialize_result() const {
  return {{"capabilities",
           {{"positionEncoding", "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", 2}}},
            {"hoverProvider", true},
            {"completionProvider", {{"triggerCharacters", Json::array({"["})}}},
            {"documentSymbolProvider", true},
            {"codeActionProvider", {{"codeActionKinds", Json::array({"quickfix"})}}},
            {"documentFormattingProvider", true}}},
          {"serverInfo", {{"name", "scenario_tool"}}}};
}

void LspServer::open(const Json& params) {
  const Json& item = params.at("textDocument");
  Document document;
  document.uri = item.at("uri").get<std::string>();
  document.path = uri_to_path(document.uri).value_or("");
  document.text = lsp_text_to_1252(item.at("text").get<std::string>());
  document.description = description_of_file(document.path.empty() ? document.uri : document.path, document.text);
  mark_dirty(document);
  documents_[document.uri] = std::move(document);
}

void LspServer::change(const Json& params) {
  const std::string uri = params.at("textDocument").at("uri").get<std::string>();
  const auto found = documents_.find(uri);
  if (found == documents_.end()) return;
  Document& document = found->second;
  for (const Json& change : params.at("contentChanges")) {
    const std::string text = lsp_text_to_1252(change.at("text").get<std::string>());
    if (!change.contains("range")) {
      document.text = text;
      continue;
    }
    const LspLines lines(document.text);
    const std::size_t start = lines.offset(position_from(change["range"].at("start")));
    const std::size_t end = std::max(start, lines.offset(position_from(change["range"].at("end"))));
    document.text.replace(start, end - start, text);
  }
  mark_dirty(document);
}

void LspServer::close(const Json& params) {
  const std::string uri = params.at("textDocument").at("uri").get<std::string>();
  const auto found = documents_.find(uri);
  if (found == documents_.end()) return;
  // The partner is checked again with the file as it stands on disk.
  documents_.erase(found);
  dirty_.erase(uri);
  for (const auto& [other_uri, other] : documents_) mark_dirty(other);
}

void LspServer::mark_dirty(const Document& document) { dirty_.insert(document.uri); }

const LspServer::Document* LspServer::document(const Json& params) const {
  const auto found = documents_.find(params.at("textDocument").at("uri").get<std::string>());
  return found == documents_.end() ? nullptr : &found->second;
}

std::optional<std::string> LspServer::text_of(const std::string& path) const {
  for (const auto& [uri, document] : documents_) {
    if (document.path == path) return document.text;
  }
  const compiler::SourceText source = compiler::read_source(path);
  if (source.state != compiler::SourceState::kRead) return std::nullopt;
  return source.bytes;
}

LspServer::Pair LspServer::pair_of(const Document& document) const {
  Pair pair;
  if (document.path.empty()) {
    (document.description == compiler::Description::kLine ? pair.line_path : pair.train_path) = document.uri;
    return pair;
  }
  const std::string folder = directory_of(document.path);
  // The files of the folder, the open ones first: a partner being edited
  // wins over one that is only on disk.
  std::vector<std::string> candidates;
  for (const auto& [uri, other] : documents_) {
    if (!other.path.empty() && directory_of(other.path) == folder) candidates.push_back(other.path);
  }
  std::error_code error;
  std::vector<std::string> on_disk;
  for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
       it.increment(error)) {
    on_disk.push_back(it->path().string());
    if (on_disk.size() > 10000) break;  // a huge folder is not searched further
  }
  std::sort(on_disk.begin(), on_disk.end());
  candidates.insert(candidates.end(), on_disk.begin(), on_disk.end());
  if (document.description == compiler::Description::kLine) {
    pair.line_path = document.path;
    const std::optional<std::string> scenario = naming::scenario_id_from_line_name(file_name(document.path));
    if (!scenario) return pair;
    for (const std::string& candidate : candidates) {
      if (naming::train_id_from_train_name(file_name(candidate), *scenario)) {
        pair.train_path = candidate;
        break;
      }
    }
    return pair;
  }
  pair.train_path = document.path;
  for (const std::string& candidate : candidates) {
    const std::optional<std::string> scenario = naming::scenario_id_from_line_name(file_name(candidate));
    if (scenario && naming::train_id_from_train_name(file_name(document.path), *scenario)) {
      pair.line_path = candidate;
      break;
    }
  }
  return pair;
}

std::vector<Json> LspServer::flush() {
  std::vector<Pair> pairs;
  for (const std::string& uri : dirty_) {
    const auto found = documents_.find(uri);
    if (found == documents_.end()) continue;
    const Pair pair = pair_of(found->second);
    const bool seen = std::any_of(pairs.begin(), pairs.end(), [&](const Pair& other) {
      return other.line_path == pair.line_path && other.train_path == pair.train_path;
    });
    if (!seen) pairs.push_back(pair);
  }
  dirty_.clear();
  std::vector<Json> messages;
  for (const Pair& pair : pairs) {
    for (Json& message : check(pair)) messages.push_back(std::move(message));
  }
  return messages;
}

std::vector<Json> LspServer::check(const Pair& pair) {
  // A file's URI: the open document's, else the one of its path.
  const auto uri_of = [&](const std::string& path) {
    for (const auto& [uri, document] : documents_) {
      if (document.path == path || document.uri == path) return uri;
    }
    return path_to_uri(path);
  };
  if (pair.line_path.empty()) {
    const Json diagnostic = {
        {"range", range_json({0, 0}, {0, 0})},
        {"severity", 3},
        {"source", "scenario_tool"},
        {"message", "no line description beside this file (NAME_linea.txt for NAME_T-.txt): a train description "
                    "is checked together with its line"}};
    return publish(uri_of(pair.train_path), Json::array({diagnostic}));
  }
  // A file's text from the editor or the disk; a missing file is the
  // check's to report.
  const auto source = [this](const std::string& path) {
    const std::optional<std::string> text = text_of(path);
    compiler::SourceText read = compiler::in_memory(path, text.value_or(""));
    if (!text) read.state = compiler::SourceState::kMissing;
    return read;
  };
  compiler::CompileRequest request;
  request.sources.line = source(pair.line_path);
  if (!pair.train_path.empty()) {
    request.sources.train = source(pair.train_path);
  } else {
    // No train beside the line: the line is checked alone, and what the
    // check says of the missing train (a file of no editor's) is not shown.
    request.sources.train = compiler::in_memory("(no train description)", "");
    request.sources.train.state = compiler::SourceState::kMissing;
  }
  compiler::CompiledModel model;
  model.track_plan.keep_positions_only();
  const compiler::CheckResult result = compiler::check_compile(model, request);

  std::map<std::string, Json> by_uri;
  by_uri[uri_of(pair.line_path)] = Json::array();
  if (!pair.train_path.empty()) by_uri[uri_of(pair.train_path)] = Json::array();
  const auto lines_of = [&](const std::string& path) -> std::string {
    if (path == pair.line_path) return request.sources.line.bytes;
    if (path == pair.train_path) return request.sources.train.bytes;
    return {};
  };
  const auto range_of = [&](const compiler::Diagnostic& d) {
    if (d.line <= 0) return range_json({0, 0}, {0, 0});
    const std::string text = lines_of(d.file);
    const LspLines lines(text);
    const std::string_view line = lines.line(static_cast<std::size_t>(d.line - 1));
    const std::size_t start = std::min(static_cast<std::size_t>(std::max(d.column - 1, 0)), line.size());
    std::size_t end = field_end(line, start, false);
    if (end <= start) end = std::min(start + 1, line.size());
    return range_json({d.line - 1, static_cast<int>(start)}, {d.line - 1, static_cast<int>(end)});
  };
  for (const compiler::Diagnostic& d : result.diagnostics) {
    const bool ours = d.file == pair.line_path || (!pair.train_path.empty() && d.file == pair.train_path) ||
                      d.file.empty();
    if (!ours) continue;
    Json diagnostic;
    diagnostic["range"] = range_of(d);
    diagnostic["severity"] = d.severity == compiler::Severity::kError ? 1 : 2;
    diagnostic["source"] = "scenario_tool";
    std::string message = lsp_text_from_1252(d.message);
    if (d.severity == compiler::Severity::kError && d.kind != compiler::ErrorKind::kNone) {
      diagnostic["code"] = compiler::number(d.kind);
      message += explain_hint(d.kind);
    } else if (d.rule != compiler::WarningRule::kNone) {
      diagnostic["code"] = std::string(compiler::rule_name(d.rule));
    }
    if (d.repeats > 0) {
      message += " (and " + std::to_string(d.repeats) + " more like this, up to line " +
                 std::to_string(d.last_repeat_line) + ")";
    }
    diagnostic["message"] = message;
    Json related = Json::array();
    for (const compiler::Diagnostic& note : d.notes) {
      related.push_back({{"location", {{"uri", uri_of(note.file.empty() ? pair.line_path : note.file)},
                                       {"range", range_of(note)}}},
                         {"message", lsp_text_from_1252(note.message)}});
    }
    if (!related.empty()) diagnostic["relatedInformation"] = related;
    by_uri[uri_of(d.file.empty() ? pair.line_path : d.file)].push_back(std::move(diagnostic));
  }
  std::vector<Json> messages;
  for (auto& [uri, diagnostics] : by_uri) {
    for (Json& message : publish(uri, std::move(diagnostics))) messages.push_back(std::move(message));
  }
  return messages;
}

std::vector<Json> LspServer::publish(const std::string& uri, Json diagnostics) {
  const bool any = !diagnostics.empty();
  // A file that had none and still has none is not told again.
  if (!any && !published_[uri]) return {};
  published_[uri] = any;
  return {{{"jsonrpc", "2.0"},
           {"method", "textDocument/publishDiagnostics"},
           {"params", {{"uri", uri}, {"diagnostics", std::move(diagnostics)}}}}};
}

Json LspServer::hover(const Json& params) const {
  const LspPosition at = position_from(params.at("position"));
  const Document* doc = document(params);
  if (!doc) return nullptr;
  const LspLines lines(doc->text);
  if (at.line < 0 || static_cast<std::size_t>(at.line) >= lines.count()) return nullptr;
  const std::string_view line = lines.line(static_cast<std::size_t>(at.line));
  const RecordLine record = read_record_line(line, doc->description);
  if (!record.spec) return nullptr;
  const auto cursor = static_cast<std::size_t>(std::max(at.character, 0));
  std::string text;
  LspPosition start{at.line, 0};
  LspPosition end{at.line, static_cast<int>(record.keyword_end)};
  if (cursor <= record.keyword_end || record.fields.empty()) {
    text = record_hover(*record.spec);
  } else {
    std::size_t index = 0;
    for (std::size_t i = 0; i < record.fields.size(); ++i) {
      if (record.fields[i].start <= cursor) index = i;
    }
    const RecordLine::Field& field = record.fields[index];
    text = field_hover(*record.spec, index, field);
    start.character = static_cast<int>(field.start);
    end.character = static_cast<int>(std::max(field.end, field.start));
  }
  return {{"contents", {{"kind", "markdown"}, {"value", lsp_text_from_1252(text)}}}, {"range", range_json(start, end)}};
}

Json LspServer::completion(const Json& params) const {
  const LspPosition at = position_from(params.at("position"));
  const Document* doc = document(params);
  Json items = Json::array();
  if (!doc) return items;
  const LspLines lines(doc->text);
  if (at.line < 0 || static_cast<std::size_t>(at.line) >= lines.count()) return items;
  const std::string_view line = lines.line(static_cast<std::size_t>(at.line));
  const std::string_view before = line.substr(0, std::min(line.size(), static_cast<std::size_t>(std::max(at.character, 0))));
  // Only the first field of a line takes a keyword or a header.
  if (before.find(',') != std::string_view::npos) return items;
  const std::string_view typed = trimmed_view(before);
  if (!typed.empty() && typed.front() == '[') {
    for (const std::string_view header : compiler::section_headers(doc->description)) {
      items.push_back({{"label", std::string(header)}, {"kind", 9}, {"filterText", std::string(header)},
                       {"textEdit", {{"range", range_json({at.line, 0}, {at.line, static_cast<int>(line.size())})},
                                     {"newText", std::string(header)}}}});
    }
    return items;
  }
  const std::string section = section_at(lines, static_cast<std::size_t>(at.line));
  for (const compiler::RecordSpec& spec : compiler::record_specs()) {
    if (!belongs_under(spec, doc->description, section)) continue;
    items.push_back({{"label", std::string(spec.keyword)},
                     {"kind", 14},
                     {"detail", std::string(spec.title)},
                     {"documentation", {{"kind", "markdown"}, {"value", lsp_text_from_1252(record_hover(spec))}}},
                     {"insertTextFormat", 2},
                     {"insertText", record_snippet(spec)}});
  }
  return items;
}

Json LspServer::document_symbols(const Json& params) const {
  const Document* doc = document(params);
  Json symbols = Json::array();
  if (!doc) return symbols;
  const LspLines lines(doc->text);
  Json* section = nullptr;
  std::size_t count = 0;
  for (std::size_t i = 0; i < lines.count() && count < kMostSymbols; ++i) {
    const std::string_view line = lines.line(i);
    const std::string_view text = trimmed_view(line);
    if (text.empty()) continue;
    const Json range = range_json({static_cast<int>(i), 0}, {static_cast<int>(i), static_cast<int>(line.size())});
    if (text.front() == '[') {
      Json entry = symbol(lsp_text_from_1252(text), "", 3, range);
      entry["children"] = Json::array();
      symbols.push_back(std::move(entry));
      section = &symbols.back();
      ++count;
      continue;
    }
    const RecordLine record = read_record_line(line, doc->description);
    if (!record.spec) continue;
    std::string name(record.spec->keyword);
    std::string detail;
    if (!record.fields.empty() && record.fields[0].value && !record.spec->fields.empty() &&
        record.spec->fields[0].unit == "m") {
      detail = decoded_value(record.spec->fields[0], *record.fields[0].value);
    }
    int kind = 13;  // variable
    if (record.spec->id == compiler::RecordId::kStation && !record.fields.empty()) {
      const RecordLine::Field& last = record.fields.back();
      if (record.fields.size() == record.spec->fields.size()) {
        name = lsp_text_from_1252(trimmed_view(line.substr(last.start, last.end - last.start)));
      }
      kind = 20;  // key: a place of the timetable
    }
    Json entry = symbol(name, lsp_text_from_1252(detail), kind, range);
    ++count;
    if (section) {
      (*section)["children"].push_back(std::move(entry));
      // The section's range runs to its last record.
      (*section)["range"]["end"] = range["end"];
    } else {
      symbols.push_back(std::move(entry));
    }
  }
  return symbols;
}

Json LspServer::code_actions(const Json& params) const {
  const Document* doc = document(params);
  Json actions = Json::array();
  if (!doc || !params.contains("context")) return actions;
  const LspLines lines(doc->text);
  for (const Json& diagnostic : params["context"].value("diagnostics", Json::array())) {
    const std::string code = diagnostic.contains("code") && diagnostic["code"].is_string() ? diagnostic["code"].get<std::string>() : "";
    const Json& range = diagnostic.at("range");
    Json edit;
    std::string title;
    if (code == "unknown-keyword" || code == "unknown-section") {
      const std::optional<std::string> word = suggested_word(diagnostic.value("message", ""));
      if (!word) continue;
      // The whole keyword field is replaced, its blanks before the comma kept out.
      const LspPosition start = position_from(range.at("start"));
      const std::string_view line = lines.line(static_cast<std::size_t>(std::max(start.line, 0)));
      const std::size_t end = field_end(line, static_cast<std::size_t>(std::max(start.character, 0)), false);
      edit = {{"range", range_json(start, {start.line, static_cast<int>(end)})}, {"newText", *word}};
      title = "Change to '" + *word + "'";
    } else if (code == "unclosed-quote") {
      // The quote closes at the end of its own line.
      const LspPosition start = position_from(range.at("start"));
      const std::string_view line = lines.line(static_cast<std::size_t>(std::max(start.line, 0)));
      std::size_t end = line.size();
      while (end > 0 && compiler::is_blank(line[end - 1])) --end;
      edit = {{"range", range_json({start.line, static_cast<int>(end)}, {start.line, static_cast<int>(end)})},
              {"newText", "\""}};
      title = "Close the quote on its line";
    } else {
      continue;
    }
    actions.push_back({{"title", title},
                       {"kind", "quickfix"},
                       {"diagnostics", Json::array({diagnostic})},
                       {"isPreferred", true},
                       {"edit", {{"changes", {{doc->uri, Json::array({edit})}}}}}});
  }
  return actions;
}

Json LspServer::formatting(const Json& params) const {
  const Document* doc = document(params);
  if (!doc) return nullptr;
  const std::string formatted = format_description(doc->text, doc->description);
  if (formatted == doc->text) return Json::array();
  // One edit over the whole text: the formatter gives the whole text.
  const LspLines lines(doc->text);
  return Json::array({{{"range", range_json({0, 0}, lines.position(doc->text.size()))},
                       {"newText", lsp_text_from_1252(formatted)}}});
}

}  // namespace tools
