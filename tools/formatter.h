#pragma once
// The formatter of description files: one canonical layout of the records,
// given and returned as bytes (scenario_tool fmt writes them back to the
// files; an editor can take them as they are). It changes only what the
// compile cannot see, so that the formatted text compiles to the same three
// files as the original, and formatting it again changes nothing.

#include <string>
#include <string_view>

#include "reading/records.h"

namespace tools {

// The text in the canonical layout:
//
// - A record that the compile reads from one line, with every field of its
//   one record kind on that line separated by commas, becomes the keyword as
//   written (without the blanks around it), then each field after a comma:
//   a number right-aligned in 8 characters when its field is in metres (a
//   position, a length) and in 4 otherwise, with at least one blank before
//   it; a text field (a station's name, a board's inscription) after one
//   blank, exactly as written to the line end. The numbers keep their digits
//   as written.
//       pendenza,   18000,  12
//       velocita,       0, 100
// - A known section header alone on its line loses the blanks around it.
// - Lines end in CR LF, the last one too; runs of blank lines become one
//   blank line, and blank lines at the end go.
//
// Everything else stays byte for byte: the text before the [generale]
// section and the line that holds it, lines the compile passes over
// (unknown keywords, ruler lines), records of another shape (numbers
// separated by blanks alone, as the clock writes them; empty fields; a
// record over more than one line or two on one; a keyword that names two
// record kinds), lines with a double quote, every line with a warning or an
// error, and from a field that cannot be read to the end of the file. Line
// ends inside a quoted text are part of the text and stay too.
//
// The warnings and errors are those of the check, the train description
// checked against an empty line of the longest length (its own faults
// show, those that need the real line cannot).
std::string format_description(std::string_view text, compiler::Description description);

// Which description a file holds: by the naming rule (a name that ends in
// _linea.txt is a line description, one that ends in -.txt a train
// description), else by its content (the description whose record keywords
// start more of its lines).
compiler::Description description_of_file(std::string_view path, std::string_view text);

}  // namespace tools
