#include "effects/EffectTable.h"

#include <array>

// One header per family of effects.
#include "effects/Cells.h"
#include "effects/ColorMorph.h"
#include "effects/Diagonals.h"
#include "effects/Dissolves.h"
#include "effects/Fades.h"
#include "effects/LinePatterns.h"
#include "effects/MovingEffects.h"
#include "effects/Rolls.h"
#include "effects/Sweeps.h"
#include "effects/Wipes.h"

namespace saver {
namespace {

using namespace effects;

constexpr std::array<EffectEntry, 84> kEffects{{
    {4, "fade in from black", FadeInFromBlack},
    {5, "random dissolve in 4 x 4 blocks", DissolveSmallBlocks},
    {6, "random dissolve in 8 x 8 blocks", DissolveLargeBlocks},
    {7, "box in", BoxIn},
    {8, "box out", BoxOut},
    {9, "quarters slide in from the corners", QuartersSlideIn},
    {10, "quarters slide out to the corners", QuartersSlideOut},
    {11, "horizontal interlace", InterlaceRows},
    {12, "vertical interlace", InterlaceColumns},
    {13, "random dissolve by rows", DissolveRows},
    {14, "random dissolve by columns", DissolveColumns},
    {15, "row bands slide in from the left and the right", RowBandsSlideInFromSides},
    {16, "column bands slide in from the top and the bottom", ColumnBandsSlideInFromEdges},
    {17, "checkerboard wiped by columns", CheckerboardColumns},
    {18, "checkerboard wiped by rows", CheckerboardRows},
    {19, "cells with interleaved columns", InterleaveColumns},
    {20, "cells with interleaved rows", InterleaveRows},
    {21, "slide in from the top", SlideInFromTop},
    {22, "slide in from the bottom", SlideInFromBottom},
    {23, "slide in from the right", SlideInFromRight},
    {24, "slide in from the left", SlideInFromLeft},
    {25, "slide in from the top-right corner", SlideInFromTopRight},
    {26, "slide in from the bottom-right corner", SlideInFromBottomRight},
    {27, "slide in from the top-left corner", SlideInFromTopLeft},
    {28, "slide in from the bottom-left corner", SlideInFromBottomLeft},
    {29, "uncover downwards", UncoverDown},
    {30, "uncover upwards", UncoverUp},
    {31, "uncover to the left", UncoverLeft},
    {32, "uncover to the right", UncoverRight},
    {33, "uncover to the bottom-left corner", UncoverToBottomLeft},
    {34, "uncover to the top-left corner", UncoverToTopLeft},
    {35, "uncover to the bottom-right corner", UncoverToBottomRight},
    {36, "uncover to the top-right corner", UncoverToTopRight},
    {37, "wipe downwards", WipeDown},
    {38, "wipe upwards", WipeUp},
    {39, "wipe leftwards", WipeLeft},
    {40, "wipe rightwards", WipeRight},
    {41, "push down", PushDown},
    {42, "push up", PushUp},
    {43, "push left", PushLeft},
    {44, "push right", PushRight},
    {45, "push from the top-right corner", PushFromTopRight},
    {46, "push from the bottom-right corner", PushFromBottomRight},
    {47, "push from the top-left corner", PushFromTopLeft},
    {48, "push from the bottom-left corner", PushFromBottomLeft},
    {49, "wipe from the top and bottom to the middle", WipeRowsToMiddle},
    {50, "wipe from the middle to the top and bottom", WipeRowsFromMiddle},
    {51, "wipe from the left and right to the middle", WipeColumnsToMiddle},
    {52, "wipe from the middle to the left and right", WipeColumnsFromMiddle},
    {53, "halves slide in from the top and the bottom", HalvesSlideInFromTopAndBottom},
    {54, "split open up and down", SplitOpenUpAndDown},
    {55, "halves slide in from the left and the right", HalvesSlideInFromLeftAndRight},
    {56, "split open left and right", SplitOpenLeftAndRight},
    {57, "staircase from the right, top band first", StaircaseFromRightTopFirst},
    {58, "staircase from the right, bottom band first", StaircaseFromRightBottomFirst},
    {59, "staircase from the left, top band first", StaircaseFromLeftTopFirst},
    {60, "staircase from the left, bottom band first", StaircaseFromLeftBottomFirst},
    {61, "triangles from the bottom-left and top-right", TrianglesFromBottomLeftAndTopRight},
    {62, "band around the top-left to bottom-right diagonal", BandAroundFallingDiagonal},
    {63, "triangles from the bottom-right and top-left", TrianglesFromBottomRightAndTopLeft},
    {64, "band around the bottom-left to top-right diagonal", BandAroundRisingDiagonal},
    {65, "fade to black", FadeToBlack},
    {66, "colour morph", ColorMorph},
    {67, "column strips wiped, left to right", ColumnStripsLeftToRight},
    {68, "row strips wiped, top to bottom", RowStripsTopToBottom},
    {69, "column strips wiped, right to left", ColumnStripsRightToLeft},
    {70, "row strips wiped, bottom to top", RowStripsBottomToTop},
    {71, "column strips pushed, left to right", ColumnStripsPushLeftToRight},
    {72, "row strips pushed, top to bottom", RowStripsPushTopToBottom},
    {73, "column strips pushed, right to left", ColumnStripsPushRightToLeft},
    {74, "row strips pushed, bottom to top", RowStripsPushBottomToTop},
    {75, "clockwise spiral", SpiralClockwise},
    {76, "counter-clockwise spiral", SpiralCounterClockwise},
    {77, "wedges from the top-left and bottom-right", SweepFromTopLeftAndBottomRight},
    {78, "wedges from the bottom-left and top-right", SweepFromBottomLeftAndTopRight},
    {79, "growing squares", GrowingSquares},
    {80, "closing rings", ClosingRings},
    {81, "diagonal wipe in cells", CellDiagonalWipe},
    {82, "roll from the left", RollFromLeft},
    {83, "roll from the right", RollFromRight},
    {84, "roll from the top", RollFromTop},
    {85, "roll from the bottom", RollFromBottom},
    {86, "roll from the left and right", RollFromLeftAndRight},
    {87, "roll from the top and bottom", RollFromTopAndBottom},
}};

static_assert(kEffects.size() == kLastEffect - kFirstEffect + 1);

constexpr bool NumberedInOrder() {
  for (std::size_t i = 0; i < kEffects.size(); ++i) {
    if (kEffects[i].number != kFirstEffect + static_cast<int>(i)) return false;
  }
  return true;
}
static_assert(NumberedInOrder(), "the row of effect n must be row n - kFirstEffect");

}  // namespace

std::span<const EffectEntry> EffectCatalogue() { return kEffects; }

const EffectEntry* FindEffect(int number) {
  if (number < kFirstEffect || number > kLastEffect) return nullptr;
  return &kEffects[number - kFirstEffect];
}

}  // namespace saver
