#pragma once
// Reads an SVG back with libxml2, so the tests see what a real XML parser
// sees: whether the text is well formed, and what XPath finds in it. In
// XPath expressions the prefix "s:" names the SVG namespace.

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <string>
#include <vector>

namespace plot_test {

class SvgDocument {
 public:
  explicit SvgDocument(const std::string& text) {
    xmlParserCtxtPtr context = xmlNewParserCtxt();
    document_ = xmlCtxtReadMemory(context, text.data(), static_cast<int>(text.size()), "picture.svg", "UTF-8",
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (document_ == nullptr || !context->wellFormed) {
      const xmlError* error = xmlCtxtGetLastError(context);
      parse_error_ = error != nullptr && error->message != nullptr ? error->message : "not well formed";
      if (error != nullptr) parse_error_ += " at line " + std::to_string(error->line);
    }
    xmlFreeParserCtxt(context);
  }
  ~SvgDocument() {
    if (document_ != nullptr) xmlFreeDoc(document_);
  }
  SvgDocument(const SvgDocument&) = delete;
  SvgDocument& operator=(const SvgDocument&) = delete;

  bool well_formed() const { return parse_error_.empty(); }
  const std::string& parse_error() const { return parse_error_; }

  // The string value of every node the expression selects (for an
  // attribute, its value; for an element, its text).
  std::vector<std::string> values(const std::string& xpath) const {
    std::vector<std::string> found;
    if (!well_formed()) return found;
    xmlXPathContextPtr context = xmlXPathNewContext(document_);
    xmlXPathRegisterNs(context, reinterpret_cast<const xmlChar*>("s"),
                       reinterpret_cast<const xmlChar*>("http://www.w3.org/2000/svg"));
    xmlXPathObjectPtr result = xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.c_str()), context);
    if (result != nullptr && result->nodesetval != nullptr) {
      for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
        xmlChar* content = xmlNodeGetContent(result->nodesetval->nodeTab[i]);
        found.emplace_back(content != nullptr ? reinterpret_cast<const char*>(content) : "");
        xmlFree(content);
      }
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    return found;
  }

  std::size_t count(const std::string& xpath) const { return values(xpath).size(); }

 private:
  xmlDocPtr document_ = nullptr;
  std::string parse_error_;
};

}  // namespace plot_test
