// A minimal JSON object writer for the tool's one-line outputs. Texts are packet bytes,
// each byte a Latin-1 character, written as UTF-8; a Utf8Text is UTF-8 already.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace lumora::tool {

struct JsonValue;
struct Utf8Text {
  std::string text;
};
using JsonObject = std::map<std::string, JsonValue>;  // keys come out sorted
using JsonArray = std::vector<JsonValue>;

struct JsonValue {
  std::variant<bool, double, std::string, Utf8Text, JsonArray, JsonObject> data;
  JsonValue(bool b) : data(b) {}
  JsonValue(double d) : data(d) {}
  JsonValue(std::int32_t n) : data(static_cast<double>(n)) {}
  JsonValue(std::string s) : data(std::move(s)) {}
  JsonValue(const char* s) : data(std::string(s)) {}
  JsonValue(Utf8Text s) : data(std::move(s)) {}
  JsonValue(JsonArray a) : data(std::move(a)) {}
  JsonValue(JsonObject o) : data(std::move(o)) {}
};

std::string toJson(const JsonValue& value);
JsonArray textArray(const std::vector<std::string>& texts);

}  // namespace lumora::tool
