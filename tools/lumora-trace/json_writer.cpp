#include "json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace lumora::tool {
namespace {

void appendText(std::string& out, const std::string& text, bool utf8 = false) {
  out += '"';
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') (out += '\\') += static_cast<char>(c);
    else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else if (c < 0x80 || utf8) out += static_cast<char>(c);
    else (out += static_cast<char>(0xC0 | (c >> 6))) += static_cast<char>(0x80 | (c & 0x3F));
  }
  out += '"';
}

void appendNumber(std::string& out, double d) {
  if (!std::isfinite(d)) d = 0;  // JSON has no such numbers; the library never returns them
  // Whole numbers (counts) in plain digits, never as "1e+05", which readers take for a fraction.
  const bool whole = std::fabs(d) < 1e15 && d == std::trunc(d);
  char buf[32];
  auto res = whole ? std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed)
                   : std::to_chars(buf, buf + sizeof buf, d);
  out.append(buf, res.ptr);
}

void append(std::string& out, const JsonValue& value) {
  struct Visitor {
    std::string& out;
    void operator()(bool b) const { out += b ? "true" : "false"; }
    void operator()(double d) const { appendNumber(out, d); }
    void operator()(const std::string& s) const { appendText(out, s); }
    void operator()(const Utf8Text& s) const { appendText(out, s.text, true); }
    void operator()(const JsonArray& a) const {
      out += '[';
      for (std::size_t i = 0; i < a.size(); ++i) {
        if (i) out += ',';
        append(out, a[i]);
      }
      out += ']';
    }
    void operator()(const JsonObject& o) const {
      out += '{';
      bool first = true;
      for (const auto& [key, v] : o) {
        if (!first) out += ',';
        first = false;
        appendText(out, key);
        out += ':';
        append(out, v);
      }
      out += '}';
    }
  };
  std::visit(Visitor{out}, value.data);
}

}  // namespace

std::string toJson(const JsonValue& value) {
  std::string out;
  append(out, value);
  return out;
}

JsonArray textArray(const std::vector<std::string>& texts) {
  JsonArray out;
  for (const auto& t : texts) out.emplace_back(t);
  return out;
}

}  // namespace lumora::tool
