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
  // run (every recorded kind but 15). Throws ReadingFailure for error 25.
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
  CompiledModel& model_;
  DescriptionFile& file_;
  std::optional<ErrorSource>& error_source_;
};

}  // namespace compiler
