#include "desktop/LinkItem.h"

#include <gtest/gtest.h>

#include "../scene/RecordingRuntime.h"

namespace saver {
namespace {

// Remembers the key mode as well as the link of each arming.
class LinkRecordingRuntime final : public testing_support::RecordingRuntime {
 public:
  void ArmLink(std::string link, int key_mode) override { armings.emplace_back(std::move(link), key_mode); }
  std::vector<std::pair<std::string, int>> armings;
};

TEST(LinkItemExecute, ArmsItsLinkWithItsKeyOrClearsIt) {
  struct Case {
    const char* name;
    std::uint32_t clear;
    std::int32_t trigger_key;
    std::pair<std::string, int> armed;
  };
  const Case cases[] = {
      {"enter", 0, 0, {"http://example.invalid/a", 0}},
      {"f12", 0, 1, {"http://example.invalid/a", 1}},
      {"any of three", 0, 3, {"http://example.invalid/a", 3}},
      {"no key arms with none", 0, -1, {"http://example.invalid/a", -1}},
      {"clear flag clears whatever the key", 1, 1, {"", -1}},
      {"any nonzero clear flag", 7, 0, {"", -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CLinkItem item;
    item.clear = c.clear;
    item.trigger_key = c.trigger_key;
    item.link = "http://example.invalid/a";
    LinkRecordingRuntime runtime;
    int running_index = 4;
    EXPECT_NE(item.Execute(runtime, running_index), 0);
    EXPECT_EQ(running_index, 4);
    ASSERT_EQ(runtime.armings.size(), 1u);
    EXPECT_EQ(runtime.armings[0], c.armed);
  }
}

}  // namespace
}  // namespace saver
