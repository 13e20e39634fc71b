#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "AnsiText.h"
#include "SceneSite.h"

namespace saver::tool {

using Json = nlohmann::ordered_json;

// One field of a scene description, declared once: its name in the JSON, how to describe it from
// an object and how to set it from JSON (with range checks that name the field). A field without
// `apply` is one that info prints for the reader (a data size) and build accepts and ignores. Tables of these
// serve both `build` (JSON to items) and `info` (items to JSON), so the two never drift apart.
template <typename T>
struct Field {
  std::string name;
  std::function<Json(const T&)> describe;
  std::function<void(T&, const Json&, const CSceneSite&)> apply;
};

template <typename T>
using FieldTable = std::vector<Field<T>>;

// A named value of an enumerated field. Enumerations read a name or a plain integer and describe
// a value by its name when it has one.
struct Choice {
  const char* name;
  std::int64_t value;
};
using ChoiceTable = std::vector<Choice>;

std::int64_t ReadInteger(const Json& value, const CSceneSite& at, std::int64_t lo, std::int64_t hi);
bool ReadFlag(const Json& value, const CSceneSite& at);
std::string ReadText(const Json& value, const CSceneSite& at);
// A string converted to the package's Windows-1252.
std::string ReadAnsiText(const Json& value, const CSceneSite& at);
// "#RRGGBB" or a raw colour reference (0x00BBGGRR as an integer).
std::uint32_t ReadColour(const Json& value, const CSceneSite& at);
Json DescribeColour(std::uint32_t colour_ref);
std::int64_t ReadChoice(const Json& value, const CSceneSite& at, const ChoiceTable& choices, std::int64_t lo,
                        std::int64_t hi);
Json DescribeChoice(std::int64_t value, const ChoiceTable& choices);
// The names a table accepts, for messages: "a, b or c".
std::string ListNames(const std::vector<std::string>& names);

// Leaf fields. `access` is a member pointer or a callable that returns a reference to the value.
template <typename T, typename Access>
Field<T> Integer(std::string name, Access access, std::int64_t lo, std::int64_t hi) {
  return {std::move(name), [access](const T& t) { return Json(std::invoke(access, t)); },
          [access, lo, hi](T& t, const Json& v, const CSceneSite& at) {
            auto& target = std::invoke(access, t);
            target = static_cast<std::remove_reference_t<decltype(target)>>(ReadInteger(v, at, lo, hi));
          }};
}

// Any value of the field's own width: 0 to 2^32 - 1 unsigned, or the full signed range.
template <typename T, typename Access>
Field<T> Integer(std::string name, Access access) {
  using Value = std::remove_cvref_t<std::invoke_result_t<Access, T&>>;
  return Integer<T>(std::move(name), access, std::numeric_limits<Value>::min(),
                    std::numeric_limits<Value>::max());
}

template <typename T, typename Access>
Field<T> Flag(std::string name, Access access) {
  return {std::move(name), [access](const T& t) { return Json(std::invoke(access, t) != 0); },
          [access](T& t, const Json& v, const CSceneSite& at) { std::invoke(access, t) = ReadFlag(v, at) ? 1 : 0; }};
}

template <typename T, typename Access>
Field<T> Colour(std::string name, Access access) {
  return {std::move(name), [access](const T& t) { return DescribeColour(std::invoke(access, t)); },
          [access](T& t, const Json& v, const CSceneSite& at) { std::invoke(access, t) = ReadColour(v, at); }};
}

template <typename T, typename Access>
Field<T> Enumerated(std::string name, Access access, const ChoiceTable& choices) {
  using Value = std::remove_cvref_t<std::invoke_result_t<Access, T&>>;
  return {std::move(name), [access, choices](const T& t) { return DescribeChoice(std::invoke(access, t), choices); },
          [access, choices](T& t, const Json& v, const CSceneSite& at) {
            std::invoke(access, t) = static_cast<Value>(
                ReadChoice(v, at, choices, std::numeric_limits<Value>::min(),
                           std::numeric_limits<Value>::max()));
          }};
}

// A package string (Windows-1252) held by a getter and a setter; UTF-8 in the JSON.
template <typename T, typename Get, typename Set>
Field<T> Text(std::string name, Get get, Set set) {
  return {std::move(name), [get](const T& t) { return Json(Utf8FromAnsi(std::invoke(get, t))); },
          [set](T& t, const Json& v, const CSceneSite& at) { std::invoke(set, t, ReadAnsiText(v, at)); }};
}

// Reads every member of a JSON object into `target`; a member the table does not know fails with
// the list of those it does. Names in `skip` are handled by the caller.
template <typename T>
void ApplyFields(const FieldTable<T>& table, const Json& object, T& target, const CSceneSite& at,
                 const std::vector<std::string>& skip = {}) {
  if (!object.is_object()) at.Fail("expected an object {...}");
  // Named references rather than a structured binding: clang 14 does not let the lambda below capture one.
  for (const auto& entry : object.items()) {
    const std::string& key = entry.key();
    const Json& value = entry.value();
    if (std::find(skip.begin(), skip.end(), key) != skip.end()) continue;
    auto field = std::find_if(table.begin(), table.end(), [&](const Field<T>& f) { return f.name == key; });
    if (field == table.end()) {
      std::vector<std::string> names(skip);
      for (const auto& f : table) names.push_back(f.name);
      at.Fail("unknown field \"" + key + "\" (valid fields: " + ListNames(names) + ")");
    }
    if (field->apply) field->apply(target, value, at.Member(key));
  }
}

template <typename T>
void DescribeFields(const FieldTable<T>& table, const T& source, Json& object) {
  for (const auto& field : table) object[field.name] = field.describe(source);
}

// A property object as a nested JSON object under `name`; `access` returns it from the owner.
template <typename T, typename Sub, typename Access>
Field<T> Nested(std::string name, Access access, FieldTable<Sub> table) {
  return {std::move(name),
          [access, table](const T& t) {
            Json object = Json::object();
            DescribeFields(table, std::invoke(access, t), object);
            return object;
          },
          [access, table](T& t, const Json& v, const CSceneSite& at) {
            ApplyFields(table, v, std::invoke(access, t), at);
          }};
}

// Fields of the same object gathered under one JSON name, e.g. a path's "start" point.
template <typename T>
Field<T> Group(std::string name, FieldTable<T> table) {
  return Nested<T, T>(std::move(name), [](auto& t) -> auto& { return t; }, std::move(table));
}

// The fields of a property lifted to the level of its owner (a flat JSON object).
template <typename T, typename Sub, typename Access>
FieldTable<T> Embedded(Access access, const FieldTable<Sub>& table) {
  FieldTable<T> lifted;
  for (const auto& field : table) {
    lifted.push_back({field.name,
                      [access, describe = field.describe](const T& t) { return describe(std::invoke(access, t)); },
                      [access, apply = field.apply](T& t, const Json& v, const CSceneSite& at) {
                        apply(std::invoke(access, t), v, at);
                      }});
  }
  return lifted;
}

}  // namespace saver::tool
