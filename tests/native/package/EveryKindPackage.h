#pragma once
#include "model/ItemList.h"

namespace saver::testing {

// Every kind once, with values that differ from the defaults, images and media linked to their
// actions. Used by the round-trip tests and the fuzzer's seed corpus.
void BuildEveryKind(CItemList& items);

}  // namespace saver::testing
