#include "compiler/parser.h"

#include "compiler/line_parser.h"
#include "compiler/train_parser.h"
#include "platform/files.h"

namespace compiler {

void memorizza_dati(CompiledModel& model, const DescriptionFiles& files,
                    std::optional<ErrorSource>* error_source) {
  std::optional<ErrorSource> local_source;
  std::optional<ErrorSource>& source = error_source ? *error_source : local_source;
  source.reset();
  DescriptionFile line(files.line_path, files.consume);
  DescriptionFile train(files.train_path, files.consume);
  try {
    if (LineParser(model, line, source).run() == HalfOutcome::kEndCall) return;
    TrainParser(model, train, source).run();
  } catch (const ReadingFailure&) {
    // Each half has pointed source at the record it was reading.
    model.error_code = 25;
  } catch (const platform::FileError&) {
    model.error_code = 25;
  }
  if (model.error_code == 25) {
    line.close_and_delete();
    train.close_and_delete();
  }
}

}  // namespace compiler
