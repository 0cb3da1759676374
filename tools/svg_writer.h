#pragma once
// A small SVG writer: elements with attributes and text, escaped, nested by
// a stack, and numbers written the same way on every run and every host.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tools {

// Text made safe for XML character data and attribute values: the five
// markup characters become entities, and control characters that XML does
// not allow (all below 0x20 but tab, line feed and carriage return) become
// "?". The input is UTF-8 and passes through otherwise unchanged.
std::string escape_xml(std::string_view text);

// A number for an SVG attribute: fixed notation with at most `decimals`
// digits after the point, trailing zeros and a bare point dropped, and no
// "-0". A value that is not finite is written as 0 so the document stays
// valid; callers keep their values finite.
std::string svg_number(double value, int decimals = 2);

// One attribute, value as it should read (escaped when written).
struct Attribute {
  std::string name;
  std::string value;
};
using Attributes = std::vector<Attribute>;

// Builds one SVG document as text. Elements opened with open() are closed
// in reverse order by close(); finish() closes whatever is still open and
// returns the document.
class SvgWriter {
 public:
  // Starts the document with the XML declaration and the root <svg>.
  SvgWriter(double width, double height);

  void open(std::string_view name, const Attributes& attributes = {});
  void close();
  // An element without content: <name .../>.
  void empty(std::string_view name, const Attributes& attributes);
  // An element holding only text: <name ...>text</name>.
  void text(std::string_view name, const Attributes& attributes, std::string_view content);

  std::string finish();

 private:
  void start_tag(std::string_view name, const Attributes& attributes);
  void indent();

  std::string out_;
  std::vector<std::string> open_elements_;
};

}  // namespace tools
