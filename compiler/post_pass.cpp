#include "compiler/post_pass.h"

namespace compiler {

void route_post_pass(CompiledModel&) {}

}  // namespace compiler
