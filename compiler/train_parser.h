#pragma once
// The train half of the parser: the train description into the header
// values, the speed and adhesion profiles, stations, signals, slowdowns and
// lowering records.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/model.h"
#include "reading/description_file.h"
#include "reading/record_reading.h"

namespace compiler {

// A train description with a ruler line may discard up to two fields.
inline constexpr int kTrainHyphenSkips = 2;

class TrainParser {
 public:
  TrainParser(CompiledModel& model, ReadingContext& context)
      : model_(model), context_(context), file_(context.train), sink_(context.sink) {}

  // Reads the whole train description and consumes the file on every way
  // out. Throws ReadingEnded once a reading failure is reported (a field that cannot
  // be read, a cell outside the route, a speed that does not fit its byte).
  void run();

  // Stores one signal. False when its cell is taken: kSignalCellTaken is reported
  // and nothing written.
  bool memo_segnale(std::int32_t posizione, std::int32_t& sx, std::int32_t& s1, std::int32_t& s2,
                    std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx, std::int32_t& d1,
                    std::int32_t& d2, std::int32_t& d3, std::int32_t& tempo);
  // Stores one slowdown. False when one of its cells is taken: the warning board,
  // start and end cells write nothing; the approach boards leave those three.
  bool memo_rallentamento(std::int32_t x, std::int32_t& v, std::int32_t& l, std::int32_t& f_tt,
                          std::int32_t f_ta, std::int32_t& d_v);

 private:
  void read_train_file();
  bool find_general_section();
  Flow read_records();
  Flow handle_record(const std::string& keyword);

  Flow read_braked_mass();
  Flow read_cars();
  Flow read_speed_step();
  Flow read_adhesion_step();
  Flow read_clock();
  Flow read_sand();
  Flow read_signal();
  Flow read_slowdown();
  Flow read_lowering();
  Flow read_station();

  void write_slowdown(std::int64_t start, std::int64_t end, std::optional<std::int64_t> warning,
                      std::int32_t v, std::int32_t f_tt, std::int32_t d_v);
  bool place_approach_boards(std::int64_t first, std::int32_t d_v);

  void read_station_columns(ScenarioEntry& entry);
  static void set_station_stretch(ScenarioEntry& entry, std::int64_t length);
  std::optional<Flow> place_station_cells(const ScenarioEntry& entry);
  Flow check_station_order(const ScenarioEntry& entry);
  void warn_station_sequence(const ScenarioEntry& entry);
  // Warns when the first record of a profile stands after the route's start:
  // the cells before it keep 0.
  void warn_profile_start(std::int64_t position, const char* what, const char* zero);
  // Warns about each run between two timed stations that the timetable
  // makes shorter than the laid speed limits allow.
  void warn_tight_schedule();
  // Warns about each slowdown whose speed is not below the speed limit laid
  // where it starts.
  void warn_slowdowns_above_limit();

  void lay_speed_up_to(std::int64_t cell);
  void lay_adhesion_up_to(std::int64_t cell);
  void lay_speed();
  void lay_adhesion();
  // Lays at least one cell, then every cell before end.
  void lay_speeds_until(std::int64_t end);
  void lay_adhesions_until(std::int64_t end);
  void complete_profiles();
  void check_chainage();

  // A write outside the route is a reading failure, blamed on field.
  void require_in_route(std::int64_t cell, std::size_t field, const char* what) const;

  CompiledModel& model_;
  ReadingContext& context_;
  DescriptionFile& file_;
  DiagnosticSink& sink_;
  KeywordWatch watch_{Description::kTrain};

  // Parse state of one reading.
  std::int64_t speed_fill_ = 0;      // next cell to receive a speed limit
  std::int64_t adhesion_fill_ = 0;   // next cell to receive an adhesion value
  std::int32_t previous_speed_ = 0;  // km/h, laid down until the next record
  // Where the last speed and adhesion records stood, to warn about one out of
  // order.
  std::optional<std::int64_t> previous_speed_position_;
  std::optional<std::int64_t> previous_adhesion_position_;
  std::int32_t previous_adhesion_ = 0;
  std::int32_t station_ = 1;  // k: the entry of the next station
  // Where the speed being laid down was read, to blame a speed that does not
  // fit its byte on its own record.
  std::optional<std::size_t> previous_speed_field_;
  // The last speed that fits its byte, and where it was read: what the check
  // lays down in place of one that does not.
  std::int32_t fitting_speed_ = 0;
  std::optional<std::size_t> fitting_speed_field_;
  bool too_many_stations_ = false;
  // The stations with a time of day, in file order: for the timetable's
  // check once the speed limits are laid.
  struct TimedStation {
    std::int64_t position = 0;
    std::int32_t seconds = 0;
    std::size_t time_offset = 0;  // where its hours field was read
    std::string name;
  };
  std::vector<TimedStation> timed_stations_;
  // The slowdowns laid, for their check against the speed limits.
  struct Slowdown {
    std::int64_t position = 0;
    std::int64_t speed = 0;
    std::size_t speed_offset = 0;
  };
  std::vector<Slowdown> slowdowns_;
};

}  // namespace compiler
