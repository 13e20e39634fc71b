#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace saver {
namespace {

struct HandleTextCase {
  std::optional<std::string> first, second;
  std::optional<std::string> handle_text;
};

std::optional<std::string_view> View(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  return std::string_view(*text);
}

class HandleTextTest : public testing::TestWithParam<HandleTextCase> {};

TEST_P(HandleTextTest, SecondArgumentOrTheTextAfterTheSwitchsColon) {
  const HandleTextCase& c = GetParam();
  const std::optional<std::string_view> text = HandleText(View(c.first), View(c.second));
  EXPECT_EQ(text ? std::optional<std::string>(std::string(*text)) : std::nullopt, c.handle_text)
      << (c.first ? *c.first : "(none)") << " " << (c.second ? *c.second : "(none)");
}

INSTANTIATE_TEST_SUITE_P(
    Forms, HandleTextTest,
    testing::Values(HandleTextCase{"/p", "1234", "1234"}, HandleTextCase{"/p:1234", std::nullopt, "1234"},
                    HandleTextCase{"-a:42", std::nullopt, "42"}, HandleTextCase{"P:7", std::nullopt, "7"},
                    HandleTextCase{"/p:1", "99", "99"},  // a second argument wins
                    HandleTextCase{"/p", std::nullopt, std::nullopt},
                    HandleTextCase{"/px:12", std::nullopt, std::nullopt},
                    HandleTextCase{"//p:12", std::nullopt, std::nullopt},
                    HandleTextCase{"/p:", std::nullopt, ""}, HandleTextCase{"/", std::nullopt, std::nullopt},
                    HandleTextCase{std::nullopt, std::nullopt, std::nullopt}));

// From the switch to the handle, as the preview and password modes read it.
TEST(HandleTextTest, ColonFormsGiveTheSameHandleAsTheSeparateArgument) {
  for (const char* form : {"/p:1234", "-P:1234", "/a:1234"}) {
    EXPECT_NE(ModeFromArgument(std::string_view(form)), SaverMode::None) << form;
    EXPECT_EQ(WindowHandleFromArgument(HandleText<char>(std::string_view(form), std::nullopt)),
              WindowHandleFromArgument(std::string_view("1234")))
        << form;
  }
  EXPECT_EQ(WindowHandleFromArgument(HandleText<char>(std::string_view("/p:0x12"), std::nullopt)), std::nullopt);
}

TEST(HandleTextTest, WideCommandLines) {
  const std::optional<std::wstring_view> text =
      HandleText<wchar_t>(std::wstring_view(L"/p:65538"), std::nullopt);
  ASSERT_TRUE(text);
  EXPECT_EQ(std::wstring(*text), L"65538");
}

}  // namespace
}  // namespace saver
