#pragma once
// Checks a JSON document against a JSON Schema, for the keywords the
// schemas in docs/ use: type, enum, const, properties, required,
// additionalProperties, items, minItems, maxItems, minimum, maximum,
// multipleOf, pattern, oneOf and local $ref. A schema with any other
// keyword is itself reported, so a check never passes by skipping a rule.

#include <nlohmann/json.hpp>

#include <cmath>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace tool_test {

class SchemaChecker {
 public:
  explicit SchemaChecker(nlohmann::json schema) : root_(std::move(schema)) {}

  // The first few faults found, each with the path of the value; empty when
  // the document is valid.
  std::vector<std::string> check(const nlohmann::json& document) {
    faults_.clear();
    check_value(root_, document, "$");
    return faults_;
  }

 private:
  bool type_matches(const std::string& type, const nlohmann::json& value) const {
    if (type == "object") return value.is_object();
    if (type == "array") return value.is_array();
    if (type == "string") return value.is_string();
    if (type == "integer") return value.is_number_integer();
    if (type == "number") return value.is_number();
    if (type == "boolean") return value.is_boolean();
    if (type == "null") return value.is_null();
    return false;
  }

  const nlohmann::json& resolve(const std::string& reference) {
    static const std::string prefix = "#/$defs/";
    if (reference.rfind(prefix, 0) != 0 || !root_["$defs"].contains(reference.substr(prefix.size()))) {
      static const nlohmann::json nothing = nlohmann::json::object();
      fault("$ref", "unresolvable reference " + reference);
      return nothing;
    }
    return root_["$defs"][reference.substr(prefix.size())];
  }

  void fault(const std::string& path, const std::string& what) {
    if (faults_.size() < 10) faults_.push_back(path + ": " + what);
  }

  // Whether value passes schema, without keeping the faults (for oneOf).
  bool passes(const nlohmann::json& schema, const nlohmann::json& value) {
    std::vector<std::string> saved;
    saved.swap(faults_);
    check_value(schema, value, "");
    const bool ok = faults_.empty();
    faults_.swap(saved);
    return ok;
  }

  void check_value(const nlohmann::json& schema, const nlohmann::json& value, const std::string& path) {
    static const std::set<std::string> kAnnotations = {"$schema", "$id", "title", "description", "$defs"};
    for (const auto& item : schema.items()) {
      const std::string& key = item.key();
      const nlohmann::json& rule = item.value();
      if (kAnnotations.contains(key)) continue;
      if (key == "$ref") {
        check_value(resolve(rule.get<std::string>()), value, path);
      } else if (key == "type") {
        bool any = false;
        if (rule.is_string()) any = type_matches(rule.get<std::string>(), value);
        for (const auto& type : rule.is_array() ? rule : nlohmann::json::array()) {
          any = any || type_matches(type.get<std::string>(), value);
        }
        if (!any) fault(path, "type is not " + rule.dump() + ": " + value.dump().substr(0, 80));
      } else if (key == "enum") {
        if (std::find(rule.begin(), rule.end(), value) == rule.end()) fault(path, value.dump() + " not in enum");
      } else if (key == "const") {
        if (value != rule) fault(path, value.dump() + " is not " + rule.dump());
      } else if (key == "properties") {
        if (!value.is_object()) continue;
        for (const auto& property : rule.items()) {
          if (value.contains(property.key())) {
            check_value(property.value(), value[property.key()], path + "." + property.key());
          }
        }
      } else if (key == "required") {
        if (!value.is_object()) continue;
        for (const auto& name : rule) {
          if (!value.contains(name.get<std::string>())) fault(path, "lacks " + name.get<std::string>());
        }
      } else if (key == "additionalProperties") {
        if (!value.is_object()) continue;
        const nlohmann::json& known = schema.contains("properties") ? schema["properties"] : nlohmann::json::object();
        for (const auto& member : value.items()) {
          if (known.contains(member.key())) continue;
          if (rule == false) {
            fault(path, "unexpected member " + member.key());
          } else {
            check_value(rule, member.value(), path + "." + member.key());
          }
        }
      } else if (key == "items") {
        if (!value.is_array()) continue;
        for (std::size_t i = 0; i < value.size(); ++i) check_value(rule, value[i], path + "[" + std::to_string(i) + "]");
      } else if (key == "minItems") {
        if (value.is_array() && value.size() < rule.get<std::size_t>()) fault(path, "too few items");
      } else if (key == "maxItems") {
        if (value.is_array() && value.size() > rule.get<std::size_t>()) fault(path, "too many items");
      } else if (key == "minimum") {
        if (value.is_number() && value.get<double>() < rule.get<double>()) fault(path, value.dump() + " below minimum");
      } else if (key == "maximum") {
        if (value.is_number() && value.get<double>() > rule.get<double>()) fault(path, value.dump() + " above maximum");
      } else if (key == "multipleOf") {
        if (value.is_number() && std::fmod(value.get<double>(), rule.get<double>()) != 0) {
          fault(path, value.dump() + " not a multiple of " + rule.dump());
        }
      } else if (key == "pattern") {
        if (value.is_string() && !std::regex_search(value.get<std::string>(), std::regex(rule.get<std::string>()))) {
          fault(path, value.dump() + " does not match " + rule.get<std::string>());
        }
      } else if (key == "oneOf") {
        int matches = 0;
        for (const auto& choice : rule) matches += passes(choice, value) ? 1 : 0;
        if (matches != 1) fault(path, std::to_string(matches) + " of the oneOf choices match, not 1");
      } else {
        fault(path, "the schema uses the keyword " + key + ", which this checker does not know");
      }
    }
  }

  nlohmann::json root_;
  std::vector<std::string> faults_;
};

}  // namespace tool_test
