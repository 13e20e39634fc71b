#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "base/MsvcRand.h"
#include "ui/PasswordScrambler.h"

namespace saver {
namespace {

// A password of n letters that cycles through a..z.
std::string Letters(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>('a' + i % 26);
  return s;
}

// The positions that carry password characters, in the order the characters are placed.
std::vector<int> CarrierPositions(int n) {
  std::vector<int> positions;
  const int step = 51 / n;
  for (int i = 51; i >= 1; --i) {
    if (i % step == 0) positions.push_back(i);
  }
  return positions;
}

TEST(PasswordScrambler, EveryLengthIsStableAndCarriesItsCharacters) {
  for (int n = 1; n <= 51; ++n) {
    SCOPED_TRACE(n);
    const std::string password = Letters(n);
    const std::string text = ScramblePassword(password);
    MsvcSrand(99);  // a disturbed generator must not matter
    MsvcRand();
    EXPECT_EQ(ScramblePassword(password), text);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[0], 'x');

    EXPECT_EQ(text.size(), 52u);
    std::vector<int> carriers = CarrierPositions(n);
    ASSERT_GE(carriers.size(), static_cast<std::size_t>(n));
    carriers.resize(n);  // positions beyond the last character hold filler
    for (int k = 0; k < n; ++k) {
      EXPECT_EQ(static_cast<unsigned char>(text[carriers[k]]), static_cast<unsigned char>(password[k] * 4))
          << "character " << k;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
      if (std::find(carriers.begin(), carriers.end(), static_cast<int>(i)) != carriers.end()) continue;
      EXPECT_GE(text[i], ' ');
      EXPECT_LE(text[i], '}');
    }
  }
}

TEST(PasswordScrambler, FillerIsTheSeededRuntimeSequence) {
  // With one character at position 51 every other position is filler, drawn from 50 down to 1.
  const std::string text = ScramblePassword("A");
  ASSERT_EQ(text.size(), 52u);
  EXPECT_EQ(static_cast<unsigned char>(text[51]), static_cast<unsigned char>('A' * 4));
  MsvcSrand(6847);
  for (int i = 50; i >= 1; --i) {
    EXPECT_EQ(text[i], static_cast<char>(MsvcRand() % 94 + 32)) << "position " << i;
  }
}

TEST(PasswordScrambler, CharactersThatBecomeZeroEndTheText) {
  // "ab?d" places its characters at 48, 36, 24 and 12; the third one ends the text at 24, so
  // only what was placed below it (the "d") still counts.
  for (char ending : {'\x40', '\x80', '\xC0'}) {
    SCOPED_TRACE(int(static_cast<unsigned char>(ending)));
    const std::string text = ScramblePassword(std::string("ab") + ending + "d");
    EXPECT_EQ(text.size(), 24u);
    EXPECT_EQ(static_cast<unsigned char>(text[12]), static_cast<unsigned char>('d' * 4));
    EXPECT_EQ(text, ScramblePassword(std::string("zz") + ending + "d"));
    EXPECT_NE(text, ScramblePassword(std::string("ab") + ending + "e"));
  }
  EXPECT_EQ(ScramblePassword("\x40").size(), 51u);
}

TEST(PasswordScrambler, LengthsWithSurplusPositionsStillDependOnEveryCharacter) {
  // Length 9 has step 5, which meets ten positions.
  const std::string base = Letters(9);
  for (int k = 0; k < 9; ++k) {
    std::string changed = base;
    changed[k] = 'Q';
    EXPECT_NE(ScramblePassword(changed), ScramblePassword(base)) << "character " << k;
  }
}

TEST(PasswordScrambler, DifferentPasswordsGiveDifferentTexts) {
  EXPECT_NE(ScramblePassword("secret"), ScramblePassword("secreT"));
  EXPECT_NE(ScramblePassword("secret"), ScramblePassword("secre"));
  EXPECT_NE(ScramblePassword(""), ScramblePassword("a"));
}

TEST(PasswordScrambler, EmptyPasswordGivesEmptyText) { EXPECT_EQ(ScramblePassword(""), ""); }

TEST(PasswordScrambler, LongerPasswordsUseTheirFirst51Characters) {
  const std::string long_password = Letters(80);
  EXPECT_EQ(ScramblePassword(long_password), ScramblePassword(long_password.substr(0, 51)));
}

TEST(PasswordScrambler, ThreadsScrambleAlike) {
  const std::string expected = ScramblePassword("parallel");
  std::string other;
  std::thread worker([&] { other = ScramblePassword("parallel"); });
  worker.join();
  EXPECT_EQ(other, expected);
}

}  // namespace
}  // namespace saver
