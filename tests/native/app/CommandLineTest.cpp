#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace saver {
namespace {

struct ModeCase {
  std::optional<std::string> argument;
  SaverMode mode;
};

class ModeFromArgumentTest : public testing::TestWithParam<ModeCase> {};

TEST_P(ModeFromArgumentTest, LooksAtTheFirstTwoCharactersOnly) {
  const ModeCase& c = GetParam();
  std::optional<std::string_view> argument;
  if (c.argument) argument = *c.argument;
  EXPECT_EQ(ModeFromArgument(argument), c.mode) << (c.argument ? *c.argument : "(none)");
}

INSTANTIATE_TEST_SUITE_P(
    Switches, ModeFromArgumentTest,
    testing::Values(ModeCase{std::nullopt, SaverMode::SettingsWithoutOwner},
                    ModeCase{"/s", SaverMode::Run}, ModeCase{"-S", SaverMode::Run},
                    ModeCase{"s", SaverMode::Run}, ModeCase{"/sx", SaverMode::Run},
                    ModeCase{"sx", SaverMode::None}, ModeCase{"/c:1234", SaverMode::Settings},
                    ModeCase{"/C", SaverMode::Settings}, ModeCase{"c", SaverMode::Settings},
                    ModeCase{"/p", SaverMode::Preview}, ModeCase{"-P", SaverMode::Preview},
                    ModeCase{"/a", SaverMode::ChangePassword}, ModeCase{"A", SaverMode::ChangePassword},
                    ModeCase{"/x", SaverMode::None}, ModeCase{"", SaverMode::None},
                    ModeCase{"/", SaverMode::None}, ModeCase{"//s", SaverMode::None},
                    ModeCase{"-", SaverMode::None}));

struct HandleCase {
  std::optional<std::string> argument;
  std::optional<std::uintptr_t> handle;
};

class WindowHandleTest : public testing::TestWithParam<HandleCase> {};

TEST_P(WindowHandleTest, AcceptsOnlyANonzeroDecimalNumber) {
  const HandleCase& c = GetParam();
  std::optional<std::string_view> argument;
  if (c.argument) argument = *c.argument;
  EXPECT_EQ(WindowHandleFromArgument(argument), c.handle) << (c.argument ? *c.argument : "(none)");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, WindowHandleTest,
    testing::Values(HandleCase{"1234", 1234u}, HandleCase{"65538", 65538u},
                    HandleCase{std::nullopt, std::nullopt}, HandleCase{"", std::nullopt},
                    HandleCase{"0", std::nullopt}, HandleCase{"abc", std::nullopt},
                    HandleCase{"12ab", std::nullopt}, HandleCase{"-5", std::nullopt},
                    HandleCase{"99999999999999999999999", std::nullopt}));

}  // namespace
}  // namespace saver
