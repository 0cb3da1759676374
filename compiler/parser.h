#pragma once
// The parser: reads the line description and then the train description
// into the compiled model, recording the first problem it meets.

#include <optional>
#include <string>

#include "compiler/description_file.h"
#include "compiler/model.h"

namespace compiler {

// The two description files of one compilation.
struct DescriptionFiles {
  std::string line_path;
  std::string train_path;
  // True: the files are consumed (deleted once read), as the one-shot
  // program does. False: they are left as they are.
  bool consume = true;
};

// How a parser half ends: the call goes on to the next half, or ends here.
enum class HalfOutcome { kGoOn, kEndCall };

// Reads both files into model. A reading failure that the halves do not
// detect themselves ends the call with error kind 25, after closing both
// files and deleting them where consumed. When a record caused the recorded
// error, *error_source tells where it stands.
void memorizza_dati(CompiledModel& model, const DescriptionFiles& files,
                    std::optional<ErrorSource>* error_source = nullptr);

}  // namespace compiler
