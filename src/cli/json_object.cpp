#include "cli/json_object.h"

#include <cmath>
#include <cstdio>

namespace cli {

std::string jsonString(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

JsonObject& JsonObject::member(std::string_view key, const std::string& json) {
  if (!m_members.empty()) m_members += ',';
  m_members += jsonString(key) + ':' + json;
  return *this;
}

JsonObject& JsonObject::text(std::string_view key, std::string_view value) {
  return member(key, jsonString(value));
}

JsonObject& JsonObject::textOrNull(std::string_view key, const std::optional<std::string>& value) {
  return member(key, value ? jsonString(*value) : "null");
}

JsonObject& JsonObject::number(std::string_view key, long value) {
  return member(key, std::to_string(value));
}

JsonObject& JsonObject::number(std::string_view key, double value, int decimals) {
  if (!std::isfinite(value)) return member(key, "null");
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return member(key, buf);
}

JsonObject& JsonObject::flag(std::string_view key, bool value) {
  return member(key, value ? "true" : "false");
}

JsonObject& JsonObject::texts(std::string_view key, const std::vector<std::string>& values) {
  std::string list = "[";
  for (const std::string& v : values) list += (list.size() > 1 ? "," : "") + jsonString(v);
  return member(key, list + "]");
}

JsonObject& JsonObject::object(std::string_view key, const JsonObject& value) {
  return member(key, value.str());
}

}  // namespace cli
