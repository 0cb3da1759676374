#pragma once
// The line half of the parser: the line description into the route's
// gradients, tunnels and boards, the header entries and the track plan.

#include <cstdint>
#include <optional>

#include "compiler/description_file.h"
#include "compiler/model.h"
#include "compiler/parser.h"

namespace compiler {

class LineParser {
 public:
  LineParser(CompiledModel& model, DescriptionFile& file, std::optional<ErrorSource>& error_source)
      : model_(model), file_(file), error_source_(error_source) {}

  // Reads the whole line description. kEndCall when the train half must not
  // run (every recorded kind but 15). Throws ReadingFailure for error 25,
  // with the error source at the record being read (none when the failure
  // comes after the file is read).
  HalfOutcome run();

  // Orders the three chainage entries 81 to 83.
  void progressive_ordina();
  // Stores one mountain stretch; may rewrite tipo.
  void memo_montagna(std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo);
  // Stores one pair of maximum-speed boards; error 21 when the cell is taken.
  void memo_indicatori_v_max(std::int32_t posizione, std::int32_t& vas, std::int32_t& vbs,
                             std::int32_t& vcs, std::int32_t& strisces, std::int32_t& vad,
                             std::int32_t& vbd, std::int32_t& vcd, std::int32_t& strisced);

 private:
  // Where the reading goes after one step: on with the next field, out of
  // the record loop (the ending still runs), or out of the whole call.
  enum class Flow { kNext, kLeaveLoop, kEndCall };

  HalfOutcome read_line_file();

  FieldReader& reader() { return file_.reader(); }
  std::int32_t read_int32() { return reader().read_int32(); }
  // Reads the next field as the keyword field and marks the record there.
  void read_keyword();

  bool find_general_section();
  Flow read_general_section();
  void skip_general_hyphen_fields();
  Flow handle_general_record();
  Flow read_line_length();
  void read_chainage(int entry);
  Flow read_signal_repetition();

  void prepare_record_loop();
  Flow read_records();
  bool skip_record_hyphen_fields();
  Flow handle_record();
  Flow check_position(std::int32_t position);
  Flow read_gradient();
  Flow read_curve();
  Flow read_mountain();
  Flow read_speed_boards();
  Flow read_indication_board();
  Flow after_memo();

  void gradient_step(std::int32_t p, std::int32_t g);
  void lay_previous_gradient();
  void complete_gradient_profile();
  void fill_tunnel(std::int64_t first, std::int64_t last, std::int32_t tipo, bool markers);
  // The route cell of a positioned record; a cell outside the route is a
  // reading failure.
  RouteCell& cell_in_bounds(std::int64_t index, const char* what);

  HalfOutcome finish_reading();
  // Records kind for the record just read, closes and deletes the file and
  // ends the call. The second form records a position too.
  Flow stop_at_record(std::int32_t kind);
  Flow stop_at_record(std::int32_t kind, std::int32_t position);

  CompiledModel& model_;
  DescriptionFile& file_;
  std::optional<ErrorSource>& error_source_;
  // The next cell whose gradient is still to be written, and the gradient
  // being laid down until the next gradient record.
  std::int64_t gradient_fill_position_ = 0;
  std::int32_t previous_gradient_ = 0;
};

}  // namespace compiler
