#pragma once
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "ui/Profile.h"

namespace saver::testing_support {

// A profile held in a map, so that tests can see exactly what was written.
class MemoryProfile : public CProfile {
 public:
  using Key = std::pair<std::string, std::string>;

  int GetInt(std::string_view section, std::string_view name, int default_value) const override {
    auto found = values_.find(Key{section, name});
    return found == values_.end() ? default_value : found->second;
  }
  void WriteInt(std::string_view section, std::string_view name, int value) override {
    values_[Key{section, name}] = value;
  }
  const std::map<Key, int>& Values() const { return values_; }

 private:
  std::map<Key, int> values_;
};

}  // namespace saver::testing_support
