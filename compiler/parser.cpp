#include "compiler/parser.h"

#include "compiler/line_parser.h"
#include "compiler/recording_sink.h"
#include "compiler/train_parser.h"
#include "platform/files.h"
#include "reading/record_reading.h"

namespace compiler {

DescriptionSources read_sources(const DescriptionFiles& files) {
  return {read_source(files.line_path), read_source(files.train_path)};
}

void delete_consumed(const DescriptionFiles& files, const ConsumedFiles& consumed) {
  if (consumed.line) platform::delete_file(files.line_path);
  if (consumed.train) platform::delete_file(files.train_path);
}

ConsumedFiles parse_descriptions(CompiledModel& model, ReadingContext& context) {
  bool train_read = false;
  try {
    if (LineParser(model, context).run() == Flow::kEndCall) {
      context.sink.reading_stopped(context.train.name(), 0);
    } else {
      train_read = true;
      TrainParser(model, context).run();
    }
  } catch (const ReadingEnded&) {
    // Error 25 has been reported: both files go, wherever the reading stood.
    if (!train_read) context.sink.reading_stopped(context.train.name(), 0);
    context.line.close_and_delete();
    context.train.close_and_delete();
  }
  return {context.line.consumed() && context.line.exists(), context.train.consumed() && context.train.exists()};
}

void memorizza_dati(CompiledModel& model, const DescriptionFiles& files, std::optional<Diagnostic>* recorded) {
  const DescriptionSources sources = read_sources(files);
  RecordingSink sink(model);
  ReadingContext context(sources.line, sources.train, sink);
  const ConsumedFiles consumed = parse_descriptions(model, context);
  if (files.consume) delete_consumed(files, consumed);
  if (recorded) *recorded = sink.recorded();
}

}  // namespace compiler
