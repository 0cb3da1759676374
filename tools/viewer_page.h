#pragma once
// The live viewer's page: one HTML document with its style and script,
// built into the program from tools/viewer/page.html.

#include <string_view>

namespace tools {

std::string_view viewer_page();

}  // namespace tools
