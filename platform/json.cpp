#include "platform/json.h"

#include <cstdio>

namespace tapo::platform {

namespace {
template <class List, class Item>
std::string json_array(const List& values, Item item) {
  std::string out = "[";
  for (const auto& v : values) out += (out.size() > 1 ? ", " : "") + item(v);
  return out + "]";
}
}  // namespace

std::string json_numbers(std::initializer_list<std::int64_t> values) {
  return json_array(values, [](std::int64_t v) { return std::to_string(v); });
}

std::string json_numbers(const std::vector<int>& values) {
  return json_array(values, [](int v) { return std::to_string(v); });
}

std::string json_strings(const std::vector<std::string>& values) { return json_array(values, json_quote); }

std::string json_number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

std::string json_quote(std::string_view s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

void JsonObject::key(std::string_view k) {
  if (!body_.empty()) body_ += ", ";
  body_ += json_quote(k);
  body_ += ": ";
}

JsonObject& JsonObject::add(std::string_view k, std::string_view value) {
  key(k);
  body_ += json_quote(value);
  return *this;
}

JsonObject& JsonObject::add(std::string_view k, std::int64_t value) {
  key(k);
  body_ += std::to_string(value);
  return *this;
}

JsonObject& JsonObject::add(std::string_view k, bool value) {
  key(k);
  body_ += value ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::add(std::string_view k, const JsonObject& value) {
  key(k);
  body_ += value.str();
  return *this;
}

JsonObject& JsonObject::add_raw(std::string_view k, std::string_view json) {
  key(k);
  body_ += json;
  return *this;
}

}  // namespace tapo::platform
