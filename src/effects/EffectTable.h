#pragma once
#include <span>
#include <string_view>

#include "effects/EffectContext.h"

namespace saver {

// Every transition has this signature: it draws on the context step after step and returns
// when the target shows its last frame.
using EffectFunction = void(CEffectContext& context);

struct EffectEntry {
  int number;
  std::string_view name;
  EffectFunction& run;  // a reference: no row can lack its function
};

inline constexpr int kFirstEffect = 4;
inline constexpr int kLastEffect = 87;

// The catalogue of transitions, numbers kFirstEffect ... kLastEffect in order.
std::span<const EffectEntry> EffectCatalogue();
// The entry of an effect number, or null for numbers outside the catalogue.
const EffectEntry* FindEffect(int number);

}  // namespace saver
