#include "compiler/output.h"

#include "compiler/codes.h"
#include "formats/line_data_file.h"
#include "formats/route_file.h"
#include "formats/scenario_file.h"
#include "naming/file_names.h"
#include "platform/files.h"

namespace compiler {

std::optional<ErrorKind> stamp(CompiledModel& model) {
  if (!has_mark_cell(model)) return ErrorKind::kMarkPlaceTaken;
  ScenarioEntry& header = model.scenario_table[kScenarioHeaderEntry];
  RouteCell& mark_cell = model.route[1];

  if (header.word1 != 0 || mark_cell.param1 != 0) return ErrorKind::kMarkPlaceTaken;
  header.word1 = kTableMark;
  mark_cell.param1 = kRouteMark;

  if (header.seconds != 0 || mark_cell.param2 != 0) return ErrorKind::kCodePlaceTaken;
  header.seconds = codice_gara_st(model);
  mark_cell.param2 = codice_gara_og(model);
  return std::nullopt;
}

std::string errore_prompt(ErrorKind kind) { return " Errore n. " + std::to_string(number(kind)); }

void write_output_files(const CompiledModel& model, const std::string& folder) {
  const std::string scenario_path =
      platform::join_path(folder, naming::scenario_file_name(model.scenario_id, model.train_id));
  if (std::string problem = scenario_text_problem(model.scenario_table); !problem.empty()) {
    throw platform::FileError(scenario_path, problem);
  }
  // The three files are one set: all are written to temporaries first and
  // only then renamed into place, so that a failure on the way leaves the
  // earlier set whole.
  platform::OutputSet files;
  if (model.full_compile != 0) {
    // The plan is the largest file by far (20 bytes a metre); it goes to
    // disk in pieces so that it is never held whole in memory beside the
    // plan itself.
    const std::size_t plan = files.add(platform::join_path(folder, naming::line_data_name(model.scenario_id)));
    encode_line_data_pieces(model.track_plan, kLineDataPieceBytes,
                            [&files, plan](std::string_view piece) { files.write(plan, piece); });
  }
  files.write(files.add(scenario_path), encode_scenario_file(model.scenario_table));
  files.write(files.add(platform::join_path(folder, naming::route_file_name(model.scenario_id, model.train_id))),
              encode_route_file(model.route));
  files.commit();
}

std::optional<ErrorKind> stamp_and_write_output(CompiledModel& model, const std::string& folder) {
  const std::optional<ErrorKind> stopped = stamp(model);
  if (!stopped) write_output_files(model, folder);
  return stopped;
}

}  // namespace compiler
