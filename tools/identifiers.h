#pragma once
// Identifiers typed by an author on the tool's command line: checked, and
// turned from UTF-8 into the Windows-1252 bytes the compiled files hold.
// The rules themselves are naming/'s.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace tools {

// The Windows-1252 form of an identifier typed as option on the command
// line, or nothing after telling err why it cannot name files. command
// begins the report ("scenario_tool compile").
std::optional<std::string> typed_identifier(std::string_view utf8, std::string_view command,
                                            std::string_view option, std::ostream& err);

}  // namespace tools
