#pragma once
// The train half of the parser: the train description into the header
// values, the speed and adhesion profiles, stations, signals, slowdowns and
// lowering records.

#include <cstdint>
#include <optional>

#include "compiler/description_file.h"
#include "compiler/model.h"
#include "compiler/parser.h"

namespace compiler {

class TrainParser {
 public:
  TrainParser(CompiledModel& model, DescriptionFile& file, std::optional<ErrorSource>& error_source)
      : model_(model), file_(file), error_source_(error_source) {}

  // Reads the whole train description. Throws ReadingFailure for error 25.
  void run();

  // Stores one signal; error 16 when its cell is taken.
  void memo_segnale(std::int32_t posizione, std::int32_t& sx, std::int32_t& s1, std::int32_t& s2,
                    std::int32_t& s3, std::int32_t& rapp, std::int32_t& dx, std::int32_t& d1,
                    std::int32_t& d2, std::int32_t& d3, std::int32_t& tempo);
  // Stores one slowdown; errors 17 to 20 when its cells are taken.
  void memo_rallentamento(std::int32_t x, std::int32_t& v, std::int32_t& l, std::int32_t& f_tt,
                          std::int32_t f_ta, std::int32_t& d_v);

 private:
  CompiledModel& model_;
  DescriptionFile& file_;
  std::optional<ErrorSource>& error_source_;
};

}  // namespace compiler
