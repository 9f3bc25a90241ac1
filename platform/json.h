// A small JSON object writer for the state lines of scripted play.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tapo::platform {

std::string json_quote(std::string_view s);
// Numbers as a JSON array: "[84, 392, 116, 76]".
std::string json_numbers(std::initializer_list<std::int64_t> values);
std::string json_numbers(const std::vector<int>& values);
std::string json_strings(const std::vector<std::string>& values);
// A fraction, "0.75".
std::string json_number(double value);

class JsonObject {
 public:
  JsonObject& add(std::string_view key, std::string_view value);
  JsonObject& add(std::string_view key, const char* value) { return add(key, std::string_view(value)); }
  JsonObject& add(std::string_view key, const std::string& value) { return add(key, std::string_view(value)); }
  JsonObject& add(std::string_view key, std::int64_t value);
  JsonObject& add(std::string_view key, int value) { return add(key, static_cast<std::int64_t>(value)); }
  JsonObject& add(std::string_view key, bool value);
  JsonObject& add(std::string_view key, const JsonObject& value);
  // Adds already-formatted JSON text (an array, say).
  JsonObject& add_raw(std::string_view key, std::string_view json);
  std::string str() const { return "{" + body_ + "}"; }

 private:
  void key(std::string_view k);
  std::string body_;
};

}  // namespace tapo::platform
