#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "formats/line_data_file.h"
#include "formats/route_file.h"
#include "formats/scenario_file.h"
#include "naming/file_names.h"
#include "naming/identifiers.h"
#include "platform/files.h"
#include "tools/command.h"
#include "tools/commands.h"
#include "tools/decoded_fields.h"
#include "tools/route_features.h"

namespace tools {
namespace {

using nlohmann::ordered_json;

enum class FileKind { kRoute, kScenario, kLineData, kUnknown };

FileKind kind_of(std::string_view path) {
  const auto file = naming::compiled_file_name(path);
  if (!file) return FileKind::kUnknown;
  switch (file->kind) {
    case naming::CompiledFile::kLineData: return FileKind::kLineData;
    case naming::CompiledFile::kScenario: return FileKind::kScenario;
    case naming::CompiledFile::kRoute: return FileKind::kRoute;
  }
  return FileKind::kUnknown;
}

// The largest file of a kind that any compile can write; anything larger is
// refused before it is read.
std::uint64_t largest_size(FileKind kind) {
  switch (kind) {
    case FileKind::kRoute: return compiler::kMaxRouteFileBytes;
    case FileKind::kScenario: return compiler::kMaxScenarioFileBytes;
    case FileKind::kLineData: return compiler::kMaxLineDataFileBytes;
    case FileKind::kUnknown: break;
  }
  return 0;
}

ordered_json optional_text(const std::optional<std::string>& text) {
  if (!text) return nullptr;
  return *text;
}

// A route cell: its raw fields in file order, each followed by what it
// means when the field has a meaning of its own.
ordered_json cell_json(std::size_t index, const compiler::RouteCell& c, bool decoded) {
  ordered_json cell = {{"index", index}};
  if (decoded) cell["metre"] = index * static_cast<std::size_t>(kCellMetres);
  cell["kind"] = c.kind;
  if (decoded) cell["kind_name"] = cell_kind_name(c.kind);
  cell["param1"] = c.param1;
  cell["param2"] = c.param2;
  cell["param3"] = c.param3;
  cell["param4"] = c.param4;
  cell["param5"] = c.param5;
  if (decoded) cell["object"] = optional_text(cell_object_text(c));
  cell["marker"] = c.marker;
  if (decoded) cell["marker_meaning"] = optional_text(marker_text(c.marker));
  cell["tunnel"] = c.tunnel;
  if (decoded) cell["tunnel_meaning"] = tunnel_text(c.tunnel);
  cell["speed_limit"] = c.speed_limit;
  if (decoded) cell["speed_limit_kmh"] = speed_limit_kmh(c);
  cell["gradient"] = c.gradient;
  if (decoded) cell["gradient_per_mille"] = gradient_per_mille(c);
  cell["adhesion"] = c.adhesion;
  return cell;
}

// The time an entry holds, as hh:mm:ss: a station's time of day, the
// starting clock of the train identifier entry; none for the others.
ordered_json entry_time(const std::string& role, const compiler::ScenarioEntry& e) {
  if (role == "station") return clock_text(e.seconds);
  if (role == "train identifier") {
    return clock_text(std::int64_t{e.word3} * 3600 + std::int64_t{e.word4} * 60 + e.word5);
  }
  return nullptr;
}

ordered_json entry_json(std::size_t index, const compiler::ScenarioTable& table, bool decoded) {
  const compiler::ScenarioEntry& e = table[index];
  ordered_json entry = {{"index", index}};
  const std::string role = entry_role(table, static_cast<int>(index));
  if (decoded) entry["role"] = role;
  entry["code"] = e.code;
  entry["value1"] = e.value1;
  entry["value2"] = e.value2;
  entry["value3"] = e.value3;
  entry["flag"] = e.flag;
  entry["text"] = naming::windows1252_to_utf8(e.text);
  entry["word1"] = e.word1;
  entry["word2"] = e.word2;
  entry["word3"] = e.word3;
  entry["word4"] = e.word4;
  entry["word5"] = e.word5;
  entry["byte1"] = e.byte1;
  entry["byte2"] = e.byte2;
  entry["byte3"] = e.byte3;
  entry["byte4"] = e.byte4;
  entry["seconds"] = e.seconds;
  if (decoded) entry["time"] = entry_time(role, e);
  return entry;
}

std::string_view tag_name(compiler::PlanTag tag) {
  switch (tag) {
    case compiler::PlanTag::kInt16: return "int16";
    case compiler::PlanTag::kDouble: return "double";
    case compiler::PlanTag::kEmpty: break;
  }
  return "empty";
}

ordered_json element_json(const compiler::PlanElement& element) {
  if (element.tag == compiler::PlanTag::kEmpty) return nullptr;
  return element.value;
}

ordered_json metre_json(std::size_t metre, const compiler::LineData& plan) {
  return {{"metre", metre},
          {"x_tag", tag_name(plan.x[metre].tag)},
          {"x", element_json(plan.x[metre])},
          {"y_tag", tag_name(plan.y[metre].tag)},
          {"y", element_json(plan.y[metre])}};
}

// A CSV field: quoted when it holds a comma, a quote or a line end.
std::string csv_field(const ordered_json& value) {
  if (value.is_null()) return "";
  if (!value.is_string()) return value.dump();
  const std::string& text = value.get_ref<const std::string&>();
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// Prints records one at a time, so that a large plan never becomes one
// document in memory.
class RecordPrinter {
 public:
  RecordPrinter(std::ostream& out, bool csv, std::string_view file, std::string_view kind, std::string_view list)
      : out_(out), csv_(csv) {
    if (!csv_) {
      out_ << "{\"file\": " << ordered_json(std::string(file)).dump() << ", \"kind\": \"" << kind << "\", \""
           << list << "\": [\n";
    }
  }
  void print(const ordered_json& record) {
    if (csv_) {
      if (first_) print_csv_header(record);
      std::string row;
      for (const auto& item : record.items()) row += (row.empty() ? "" : ",") + csv_field(item.value());
      out_ << row << '\n';
    } else {
      out_ << (first_ ? "  " : ",\n  ") << record.dump();
    }
    first_ = false;
  }
  void finish() {
    if (!csv_) out_ << "\n]}\n";
  }

 private:
  void print_csv_header(const ordered_json& record) {
    std::string header;
    for (const auto& item : record.items()) header += (header.empty() ? "" : ",") + item.key();
    out_ << header << '\n';
  }
  std::ostream& out_;
  bool csv_;
  bool first_ = true;
};

int refuse(std::ostream& err, const std::string& file, const std::string& why) {
  err << "scenario_tool dump: " << file << ": " << why << '\n';
  return kExitStopped;
}

}  // namespace

int run_dump(const DumpOptions& options, std::ostream& out, std::ostream& err) {
  const FileKind kind = kind_of(options.file);
  if (kind == FileKind::kUnknown) {
    err << "scenario_tool dump: " << options.file
        << ": not a compiled file name (S_linea.dat, S_T.sim or S_T.dat)\n";
    return kExitUsage;
  }
  std::optional<std::string> bytes;
  try {
    bytes = platform::read_file(options.file, largest_size(kind));
  } catch (const platform::FileError& error) {
    return refuse(err, options.file, error.reason());
  }
  if (!bytes) return refuse(err, options.file, "no such file");

  // JSON always carries the meanings; CSV keeps its raw columns unless asked.
  const bool decoded = !options.csv || options.decoded;
  switch (kind) {
    case FileKind::kRoute: {
      auto route = compiler::decode_route_file(*bytes);
      if (!route.ok()) return refuse(err, options.file, route.error);
      RecordPrinter printer(out, options.csv, options.file, "route", "cells");
      for (std::size_t i = 0; i < route.value.size(); ++i) printer.print(cell_json(i, route.value[i], decoded));
      printer.finish();
      break;
    }
    case FileKind::kScenario: {
      auto table = compiler::decode_scenario_file(*bytes);
      if (!table.ok()) return refuse(err, options.file, table.error);
      RecordPrinter printer(out, options.csv, options.file, "scenario", "entries");
      for (std::size_t i = 0; i < table.value.size(); ++i) printer.print(entry_json(i, table.value, decoded));
      printer.finish();
      break;
    }
    case FileKind::kLineData: {
      auto plan = compiler::decode_line_data_file(*bytes);
      if (!plan.ok()) return refuse(err, options.file, plan.error);
      RecordPrinter printer(out, options.csv, options.file, "line_data", "metres");
      for (std::size_t m = 0; m < plan.value.x.size(); ++m) printer.print(metre_json(m, plan.value));
      printer.finish();
      break;
    }
    case FileKind::kUnknown:
      break;
  }
  return kExitClean;
}

// The command line of `scenario_tool dump`.
Command dump_command() {
  return {"dump",
          "Decode a route file (.dat), scenario file (.sim) or line data file (_linea.dat) and print it as JSON "
          "or CSV.",
          [](CLI::App& command) {
            auto options = std::make_shared<DumpOptions>();
            command.add_option("FILE", options->file, "Compiled file")->required();
            command.add_flag("--csv", options->csv, "One CSV row per cell, entry or metre instead of JSON");
            command.add_flag("--decoded", options->decoded, "With --csv: add the decoded columns beside the raw ones");
            return CommandRunner([options](std::ostream& out, std::ostream& err) {
              return run_dump(*options, out, err);
            });
          }};
}

}  // namespace tools
