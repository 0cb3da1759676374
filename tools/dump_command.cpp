#include <ostream>

#include "tools/commands.h"

namespace tools {

int run_dump(const DumpOptions& options, std::ostream&, std::ostream& err) {
  err << "scenario_tool dump: cannot decode " << options.file << " yet\n";
  return kExitStopped;
}

}  // namespace tools
