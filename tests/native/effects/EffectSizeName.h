#pragma once
// Test names of cases over (effect, target size): "Effect17_20x13".
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "imaging/Rect.h"

namespace saver::testing {

template <typename Effect>
std::string EffectSizeName(const ::testing::TestParamInfo<std::tuple<Effect, Size>>& info) {
  const auto& [effect, size] = info.param;
  return "Effect" + std::to_string(effect.number) + "_" + std::to_string(size.width) + "x" +
         std::to_string(size.height);
}

}  // namespace saver::testing
