#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// One JSON object, built member by member in the order given and printed on one line.
// Texts are UTF-8.
class JsonObject {
 public:
  JsonObject& text(std::string_view key, std::string_view value);
  // null when there is no value.
  JsonObject& textOrNull(std::string_view key, const std::optional<std::string>& value);
  JsonObject& number(std::string_view key, long value);
  // With at most `decimals` decimals.
  JsonObject& number(std::string_view key, double value, int decimals);
  JsonObject& flag(std::string_view key, bool value);
  JsonObject& texts(std::string_view key, const std::vector<std::string>& values);
  JsonObject& object(std::string_view key, const JsonObject& value);

  std::string str() const { return "{" + m_members + "}"; }

 private:
  JsonObject& member(std::string_view key, const std::string& json);

  std::string m_members;
};

// A JSON string literal of a UTF-8 text.
std::string jsonString(std::string_view utf8);

}  // namespace cli
