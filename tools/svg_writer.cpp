#include "tools/svg_writer.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tools {

std::string escape_xml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: {
        const auto byte = static_cast<unsigned char>(c);
        const bool allowed_control = c == '\t' || c == '\n' || c == '\r';
        out += byte < 0x20 && !allowed_control ? '?' : c;
      }
    }
  }
  return out;
}

std::string svg_number(double value, int decimals) {
  if (!std::isfinite(value)) return "0";
  std::array<char, 400> buffer;
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
  if (error != std::errc{}) return "0";
  std::string text(buffer.data(), end);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") return "0";
  return text;
}

SvgWriter::SvgWriter(double width, double height) {
  out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
               {"width", svg_number(width)},
               {"height", svg_number(height)},
               {"viewBox", "0 0 " + svg_number(width) + " " + svg_number(height)}});
}

void SvgWriter::open(std::string_view name, const Attributes& attributes) {
  indent();
  start_tag(name, attributes);
  out_ += ">\n";
  open_elements_.emplace_back(name);
}

void SvgWriter::close() {
  if (open_elements_.empty()) return;
  const std::string name = std::move(open_elements_.back());
  open_elements_.pop_back();
  indent();
  out_ += "</" + name + ">\n";
}

void SvgWriter::empty(std::string_view name, const Attributes& attributes) {
  indent();
  start_tag(name, attributes);
  out_ += "/>\n";
}

void SvgWriter::text(std::string_view name, const Attributes& attributes, std::string_view content) {
  indent();
  start_tag(name, attributes);
  out_ += '>';
  out_ += escape_xml(content);
  out_ += "</";
  out_ += name;
  out_ += ">\n";
}

std::string SvgWriter::finish() {
  while (!open_elements_.empty()) close();
  return std::move(out_);
}

void SvgWriter::start_tag(std::string_view name, const Attributes& attributes) {
  out_ += '<';
  out_ += name;
  for (const Attribute& attribute : attributes) {
    out_ += ' ' + attribute.name + "=\"" + escape_xml(attribute.value) + '"';
  }
}

void SvgWriter::indent() { out_.append(open_elements_.size() * 2, ' '); }

}  // namespace tools
