#pragma once
// Identifiers typed by an author: checked, and turned from UTF-8 into the
// Windows-1252 bytes the compiled files hold.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace tools {

// The Windows-1252 bytes of a UTF-8 text, or nothing when the text is not
// valid UTF-8 or holds a character that Windows-1252 cannot represent.
std::optional<std::string> utf8_to_1252(std::string_view utf8);

// The UTF-8 form of Windows-1252 bytes, for display. The five bytes the
// code page leaves undefined map to the control characters of the same value.
std::string windows1252_to_utf8(std::string_view bytes);

// Why an identifier cannot name files, or empty when it can. An identifier
// may not lead out of the output folder: no "/", "\", NUL or other control
// character, and not "." or "..".
std::string identifier_problem(std::string_view identifier);

// The Windows-1252 form of an identifier typed as option on the command
// line, or nothing after telling err why it cannot name files. command
// begins the report ("scenario_tool compile").
std::optional<std::string> typed_identifier(std::string_view utf8, std::string_view command,
                                            std::string_view option, std::ostream& err);

// The identifiers that the naming rule gives for a pair of description
// files: LINE is S + "_linea.txt", TRAIN is S + "_" + T + "-.txt".
std::optional<std::string> scenario_id_from_line_name(std::string_view line_path);
std::optional<std::string> train_id_from_train_name(std::string_view train_path, std::string_view scenario_id);

}  // namespace tools
