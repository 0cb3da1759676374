#pragma once
// The train half of the parser: the train description into the header
// values, the speed and adhesion profiles, stations, signals, slowdowns and
// lowering records.

#include <cstdint>
#include <optional>
#include <string>

#include "compiler/description_file.h"
#include "compiler/model.h"
#include "compiler/parser.h"

namespace compiler {

class TrainParser {
 public:
  TrainParser(CompiledModel& model, DescriptionFile& file, std::optional<ErrorSource>& error_source)
      : model_(model), file_(file), error_source_(error_source) {}

  // Reads the whole train description and deletes the file on every way
  // out. Throws ReadingFailure for error 25 (a field that cannot be read, a
  // cell outside the route, a speed that does not fit its byte); the caller
  // records the kind.
  void run();

  // Stores one signal. False when its cell is taken: error 16 is recorded
  // and nothing written.
  bool memo_segnale(std::int32_t posizione, std::int32_t& sx, std::int32_t& s1, std::int32_t& s2,
                    std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx, std::int32_t& d1,
                    std::int32_t& d2, std::int32_t& d3, std::int32_t& tempo);
  // Stores one slowdown. False when one of its cells is taken: errors 17,
  // 18, 19 write nothing; error 20 leaves the start, end and warning cells.
  bool memo_rallentamento(std::int32_t x, std::int32_t& v, std::int32_t& l, std::int32_t& f_tt,
                          std::int32_t f_ta, std::int32_t& d_v);

 private:
  // What the reading does after a record.
  enum class Next {
    kGoOn,        // next record
    kLeaveLoop,   // error 15: the profiles are still completed
    kEndReading,  // any other error: the reading ends here
  };

  void read_train_file();
  bool find_general_section();
  Next read_records();
  std::optional<std::string> read_keyword();
  Next handle_record(const std::string& keyword);

  Next read_braked_mass();
  Next read_cars();
  Next read_speed_step();
  Next read_adhesion_step();
  Next read_clock();
  Next read_sand();
  Next read_signal();
  Next read_slowdown();
  Next read_lowering();
  Next read_station();

  void write_slowdown(std::int64_t start, std::int64_t end, std::optional<std::int64_t> warning,
                      std::int32_t v, std::int32_t f_tt, std::int32_t d_v);
  bool place_approach_boards(std::int64_t first, std::int32_t d_v);

  void read_station_columns(ScenarioEntry& entry);
  static void set_station_stretch(ScenarioEntry& entry, std::int64_t length);
  Next place_station_cells(const ScenarioEntry& entry);
  Next check_station_order(const ScenarioEntry& entry);

  void lay_speed_up_to(std::int64_t cell);
  void lay_adhesion_up_to(std::int64_t cell);
  void lay_speed();
  void lay_adhesion();
  void complete_profiles();
  void check_chainage();

  // True when a record at position lies too close to the route's end:
  // (position + margin) / 50 beyond last_cell.
  bool beyond_route(std::int64_t position, std::int64_t margin) const;
  // A write outside the route is a reading failure (error 25).
  void require_in_route(std::int64_t cell) const;
  // Records an error caused by the record just read.
  Next record_error(std::int32_t kind, std::int32_t position, Next next);
  Next record_error_kind(std::int32_t kind, Next next);

  CompiledModel& model_;
  DescriptionFile& file_;
  std::optional<ErrorSource>& error_source_;

  // Parse state of one reading.
  std::int64_t speed_fill_ = 0;      // next cell to receive a speed limit
  std::int64_t adhesion_fill_ = 0;   // next cell to receive an adhesion value
  std::int32_t previous_speed_ = 0;  // km/h, laid down until the next record
  std::int32_t previous_adhesion_ = 0;
  std::int32_t station_ = 1;  // k: the entry of the next station
};

}  // namespace compiler
