#include "compiler/train_parser.h"

namespace compiler {

void TrainParser::run() {
  // The train description is not read yet; it is consumed all the same.
  file_.close_and_delete();
}

void TrainParser::memo_segnale(std::int32_t, std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&,
                               std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&,
                               std::int32_t&) {}

void TrainParser::memo_rallentamento(std::int32_t, std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t,
                                     std::int32_t&) {}

}  // namespace compiler
