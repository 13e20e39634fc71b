#include "FieldTable.h"

#include <cstdio>

namespace saver::tool {
namespace {

std::string Range(std::int64_t lo, std::int64_t hi) {
  return std::to_string(lo) + " to " + std::to_string(hi);
}

// The JSON as the user wrote it, cut short, for messages.
std::string Shown(const Json& value) {
  std::string text = value.dump();
  return text.size() > 40 ? text.substr(0, 37) + "..." : text;
}

bool IsHexDigits(const std::string& text) {
  return text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

}  // namespace

std::int64_t ReadInteger(const Json& value, const CSceneSite& at, std::int64_t lo, std::int64_t hi) {
  std::int64_t number = 0;
  if (value.is_number_unsigned()) {
    const auto unsigned_number = value.get<std::uint64_t>();
    if (unsigned_number > static_cast<std::uint64_t>(hi)) {
      at.Fail(Shown(value) + " is out of range (valid: " + Range(lo, hi) + ")");
    }
    number = static_cast<std::int64_t>(unsigned_number);
  } else if (value.is_number_integer()) {
    number = value.get<std::int64_t>();
  } else {
    at.Fail("expected an integer from " + Range(lo, hi) + ", got " + Shown(value));
  }
  if (number < lo || number > hi) at.Fail(Shown(value) + " is out of range (valid: " + Range(lo, hi) + ")");
  return number;
}

bool ReadFlag(const Json& value, const CSceneSite& at) {
  if (!value.is_boolean()) at.Fail("expected true or false, got " + Shown(value));
  return value.get<bool>();
}

std::string ReadText(const Json& value, const CSceneSite& at) {
  if (!value.is_string()) at.Fail("expected a string, got " + Shown(value));
  return value.get<std::string>();
}

std::string ReadAnsiText(const Json& value, const CSceneSite& at) { return AnsiFromUtf8(ReadText(value, at), at); }

std::uint32_t ReadColour(const Json& value, const CSceneSite& at) {
  if (value.is_number()) {
    return static_cast<std::uint32_t>(ReadInteger(value, at, 0, 0xFFFFFFFF));
  }
  const std::string text = value.is_string() ? value.get<std::string>() : std::string();
  if (text.size() != 7 || text[0] != '#' || !IsHexDigits(text.substr(1))) {
    at.Fail("expected a colour \"#RRGGBB\" (or a colour reference as an integer), got " + Shown(value));
  }
  const auto rgb = static_cast<std::uint32_t>(std::stoul(text.substr(1), nullptr, 16));
  // Colour references store red in the low byte: 0x00BBGGRR.
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

Json DescribeColour(std::uint32_t colour_ref) {
  if (colour_ref > 0xFFFFFF) return Json(colour_ref);  // not a plain RGB value: shown as stored
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", colour_ref & 0xFF, colour_ref >> 8 & 0xFF,
                colour_ref >> 16 & 0xFF);
  return Json(text);
}

std::int64_t ReadChoice(const Json& value, const CSceneSite& at, const ChoiceTable& choices, std::int64_t lo,
                        std::int64_t hi) {
  if (value.is_number()) return ReadInteger(value, at, lo, hi);
  std::vector<std::string> names;
  for (const Choice& choice : choices) {
    if (value.is_string() && value.get<std::string>() == choice.name) return choice.value;
    names.push_back(std::string("\"") + choice.name + "\"");
  }
  at.Fail("expected " + ListNames(names) + " or an integer, got " + Shown(value));
}

Json DescribeChoice(std::int64_t value, const ChoiceTable& choices) {
  for (const Choice& choice : choices) {
    if (choice.value == value) return Json(choice.name);
  }
  return Json(value);
}

std::string ListNames(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? " or " : ", ";
    list += names[i];
  }
  return list;
}

}  // namespace saver::tool
