#pragma once
// The line half of the parser: the line description into the route's
// gradients, tunnels and boards, the header entries and the track plan.

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/model.h"
#include "reading/description_file.h"
#include "reading/record_reading.h"

namespace compiler {

// A general-section keyword field may be preceded by up to this many fields
// holding a hyphen; in the record loop, by up to two.
inline constexpr int kGeneralHyphenSkips = 10;
inline constexpr int kRecordHyphenSkips = 2;

// A keyword field that, blanks aside, does not begin with a hyphen and holds
// a bracketed name closes the general section.
bool ends_general_section(std::string_view field);

class LineParser {
 public:
  LineParser(CompiledModel& model, ReadingContext& context)
      : model_(model), context_(context), file_(context.line), sink_(context.sink) {}

  // Reads the whole line description. kEndCall when the train half must not
  // run (every recorded kind but kBeyondRoute), kNext when it follows.
  // Throws ReadingEnded once a reading failure is reported, at the record
  // being read (at no record when the failure comes after the file is read).
  Flow run();

  // Orders the three chainage entries 81 to 83.
  void progressive_ordina();
  // Stores one mountain stretch; may rewrite tipo.
  void memo_montagna(std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo);
  // Stores one pair of maximum-speed boards. False when the cell is taken
  // (kSpeedBoardsCellTaken): nothing is written.
  bool memo_indicatori_v_max(std::int32_t posizione, std::int32_t& vas, std::int32_t& vbs,
                             std::int32_t& vcs, std::int32_t& strisces, std::int32_t& vad,
                             std::int32_t& vbd, std::int32_t& vcd, std::int32_t& strisced);

 private:
  Flow read_line_file();

  FieldReader& reader() { return file_.reader(); }
  std::int32_t read_int32() { return file_.int32(); }

  bool find_general_section();
  Flow read_general_section();
  Flow handle_general_record(const std::string& keyword);
  Flow read_line_length();
  void read_chainage(int entry);
  Flow read_signal_repetition(const std::string& keyword);

  void prepare_record_loop();
  Flow read_records();
  Flow handle_record(const std::string& keyword);
  std::optional<Flow> refuse_position(std::int32_t position);
  Flow read_gradient();
  Flow read_curve(const std::string& keyword);
  Flow read_mountain();
  Flow read_speed_boards();
  Flow read_indication_board();

  void gradient_step(std::int32_t p, std::int32_t g);
  void lay_previous_gradient();
  void lay_gradients_until(std::int64_t end);
  void complete_gradient_profile();
  void fill_tunnel(std::int64_t first, std::int64_t last, std::int32_t tipo, bool markers);
  // The route cell of a positioned record; a cell outside the route is a
  // reading failure.
  RouteCell& cell_in_bounds(std::int64_t index, const char* what);

  Flow finish_reading();

  CompiledModel& model_;
  ReadingContext& context_;
  DescriptionFile& file_;
  DiagnosticSink& sink_;
  KeywordWatch watch_{Description::kLine};
  bool length_failed_ = false;
  // The next cell whose gradient is still to be written, and the gradient
  // being laid down until the next gradient record.
  std::int64_t gradient_fill_position_ = 0;
  std::int32_t previous_gradient_ = 0;
  // Where the last gradient record stood, to warn about one out of order.
  std::optional<std::int64_t> previous_gradient_position_;
};

}  // namespace compiler
