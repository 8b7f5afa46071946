#include "JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace trevan::cli {

void JsonWriter::Separator() {
  if (!first_) text_ += ", ";
  first_ = false;
}

void JsonWriter::Key(std::string_view key) {
  Separator();
  text_ += Quote(key);
  text_ += ": ";
}

void JsonWriter::BeginObject() {
  Separator();
  text_ += "{";
  first_ = true;
}

void JsonWriter::EndObject() {
  text_ += "}";
  first_ = false;
}

void JsonWriter::BeginObjectMember(std::string_view key) {
  Key(key);
  text_ += "{";
  first_ = true;
}

void JsonWriter::BeginArray(std::string_view key) {
  Key(key);
  text_ += "[";
  first_ = true;
}

void JsonWriter::EndArray() {
  text_ += "]";
  first_ = false;
}

void JsonWriter::Member(std::string_view key, std::string_view value) {
  Key(key);
  text_ += Quote(value);
}

void JsonWriter::Member(std::string_view key, double value) {
  Key(key);
  text_ += Number(value);
}

void JsonWriter::Member(std::string_view key, int value) {
  Key(key);
  text_ += std::to_string(value);
}

void JsonWriter::Member(std::string_view key, bool value) {
  Key(key);
  text_ += value ? "true" : "false";
}

void JsonWriter::Element(double value) {
  Separator();
  text_ += Number(value);
}

std::string JsonWriter::Number(double value) {
  if (!std::isfinite(value)) return "null";  // JSON has no infinities
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string JsonWriter::Quote(std::string_view text) {
  std::string quoted = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (c < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", c);
          quoted += escape;
        } else {
          quoted += ch;
        }
    }
  }
  quoted += "\"";
  return quoted;
}

}  // namespace trevan::cli
