#pragma once
// The parser: reads the line description and then the train description
// into the compiled model, reporting what it meets into a sink.

#include <optional>
#include <string>

#include "model/model.h"
#include "reading/description_file.h"
#include "reading/diagnostics.h"

namespace compiler {

class ReadingContext;

// The two description files of one compilation, by path.
struct DescriptionFiles {
  std::string line_path;
  std::string train_path;
  // True: the files are consumed (deleted once read), as the one-shot
  // program does. False: they are left as they are.
  bool consume = true;
};

// The two descriptions of one compilation, in memory.
struct DescriptionSources {
  SourceText line;
  SourceText train;
};

// Both descriptions read from their paths (platform's one reading function).
DescriptionSources read_sources(const DescriptionFiles& files);

// Which descriptions the reading consumed: the one-shot program deletes
// them, as the format wants, once the compile is over.
struct ConsumedFiles {
  bool line = false;
  bool train = false;
};

// Deletes the consumed files of a compile by path, where they still exist.
void delete_consumed(const DescriptionFiles& files, const ConsumedFiles& consumed);

// Reads both descriptions of context into model. A reading failure ends the
// call with kReadingFailure in the compile, and both files count as consumed.
ConsumedFiles parse_descriptions(CompiledModel& model, ReadingContext& context);

// Reads both files from their paths into model with the compile's sink,
// and deletes the consumed ones when files.consume says so. *recorded gets
// the diagnostic of the kind recorded last.
void memorizza_dati(CompiledModel& model, const DescriptionFiles& files,
                    std::optional<Diagnostic>* recorded = nullptr);

}  // namespace compiler
