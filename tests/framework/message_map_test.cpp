#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/cmd_target.h"

namespace {

constexpr UINT ID_BASE_ONLY = 100;
constexpr UINT ID_OVERRIDDEN = 101;
constexpr UINT ID_RANGE_FIRST = 200;
constexpr UINT ID_RANGE_LAST = 209;
constexpr UINT ID_UNBOUND = 300;

// A base table and a derived one that overrides one entry and adds a range.
class BaseTarget : public CCmdTarget {
 public:
  std::vector<std::string> calls;
  static const MessageMap messageMap;

 protected:
  const MessageMap* GetMessageMap() const override { return &messageMap; }
  void OnBaseOnly() { calls.push_back("base only"); }
  void OnOverriddenInBase() { calls.push_back("base overridden"); }

 private:
  static const MessageMapEntry messageEntries[];
};

constinit const MessageMapEntry BaseTarget::messageEntries[] = {
    CommandEntry<&BaseTarget::OnBaseOnly>(ID_BASE_ONLY),
    CommandEntry<&BaseTarget::OnOverriddenInBase>(ID_OVERRIDDEN),
};
constinit const MessageMap BaseTarget::messageMap{&CCmdTarget::messageMap, messageEntries};

class DerivedTarget : public BaseTarget {
 public:
  static const MessageMap messageMap;

 protected:
  const MessageMap* GetMessageMap() const override { return &messageMap; }
  void OnOverridden() { calls.push_back("derived overridden"); }
  void OnRange(UINT id) { calls.push_back("range " + std::to_string(id)); }

 private:
  static const MessageMapEntry messageEntries[];
};

constinit const MessageMapEntry DerivedTarget::messageEntries[] = {
    CommandEntry<&DerivedTarget::OnOverridden>(ID_OVERRIDDEN),
    CommandRangeEntry<&DerivedTarget::OnRange>(ID_RANGE_FIRST, ID_RANGE_LAST),
};
constinit const MessageMap DerivedTarget::messageMap{&BaseTarget::messageMap, messageEntries};

struct RoutingCase {
  UINT id;
  BOOL handled;
  std::vector<std::string> calls;
};

class CommandRouting : public testing::TestWithParam<RoutingCase> {};

TEST_P(CommandRouting, ReachesTheMostDerivedHandlerForTheId) {
  DerivedTarget target;
  EXPECT_EQ(target.OnCmdMsg(GetParam().id), GetParam().handled);
  EXPECT_EQ(target.calls, GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    MessageMap, CommandRouting,
    testing::Values(RoutingCase{ID_BASE_ONLY, TRUE, {"base only"}},
                    RoutingCase{ID_OVERRIDDEN, TRUE, {"derived overridden"}},
                    RoutingCase{ID_RANGE_FIRST, TRUE, {"range 200"}},
                    RoutingCase{ID_RANGE_LAST, TRUE, {"range 209"}},
                    RoutingCase{ID_RANGE_LAST + 1, FALSE, {}},
                    RoutingCase{ID_UNBOUND, FALSE, {}}),
    [](const testing::TestParamInfo<RoutingCase>& info) { return "Id" + std::to_string(info.param.id); });

TEST(MessageMap, MessagesMatchByMessageAndCommandsByIdToo) {
  EXPECT_EQ(FindMessageEntry(&DerivedTarget::messageMap, WM_PAINT, 0), nullptr);
  const MessageMapEntry* command = FindMessageEntry(&DerivedTarget::messageMap, WM_COMMAND, ID_BASE_ONLY);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->firstId, ID_BASE_ONLY);
}

}  // namespace
