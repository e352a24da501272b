#include <gtest/gtest.h>
#include "app/PipeMessage.h"
#include <vector>

namespace zavra {
namespace {

std::vector<uint8_t> Units(std::initializer_list<char16_t> units) {
  std::vector<uint8_t> b;
  for (char16_t u : units) {
    b.push_back(static_cast<uint8_t>(u));
    b.push_back(static_cast<uint8_t>(u >> 8));
  }
  return b;
}

TEST(PipeMessage, LayoutIsWindowTagTextAndTerminator) {
  const auto m = BuildPipeMessage(0x11223344, u"/n x");
  ASSERT_EQ(m.size(), 10u + 2 * 4);
  EXPECT_EQ((std::vector<uint8_t>(m.begin(), m.begin() + 8)),
            (std::vector<uint8_t>{0x44, 0x33, 0x22, 0x11, 0x67, 0x24, 0, 0}));
  EXPECT_EQ((std::vector<uint8_t>(m.begin() + 8, m.end())), Units({u'/', u'n', u' ', u'x', 0}));
  EXPECT_EQ(BuildPipeMessage(0, u"").size(), 10u);
}

TEST(PipeMessage, CommandLineNeedsATerminatorInsideTheBlock) {
  const auto ok = Units({u'/', u'c', 0});
  EXPECT_EQ(CommandLineFromCopyData(ok.data(), ok.size()), u"/c");

  const auto noTerminator = Units({u'/', u'c'});
  EXPECT_EQ(CommandLineFromCopyData(noTerminator.data(), noTerminator.size()), u"");

  // The terminator alone (a 10-byte message) and anything shorter is an empty command.
  const auto empty = Units({0});
  EXPECT_EQ(CommandLineFromCopyData(empty.data(), empty.size()), u"");
  EXPECT_EQ(CommandLineFromCopyData(ok.data(), 1), u"");
  EXPECT_EQ(CommandLineFromCopyData(ok.data(), 0), u"");
  EXPECT_EQ(CommandLineFromCopyData(nullptr, 10), u"");

  // An odd size looks at the last whole unit inside the block.
  EXPECT_EQ(CommandLineFromCopyData(ok.data(), ok.size() + 0), u"/c");
  auto odd = ok;
  odd.push_back('x');
  EXPECT_EQ(CommandLineFromCopyData(odd.data(), odd.size()), u"/c");

  // Text stops at the first zero even when the block goes on.
  const auto twoStrings = Units({u'a', 0, u'b', 0});
  EXPECT_EQ(CommandLineFromCopyData(twoStrings.data(), twoStrings.size()), u"a");
}

TEST(PipeMessage, RoundTripThroughTheServersView) {
  const std::u16string line = u"/n5 Caf\u00e9 \U0001F600";
  const auto m = BuildPipeMessage(7, line);
  EXPECT_EQ(CommandLineFromCopyData(m.data() + kPipeHeaderSize, m.size() - kPipeHeaderSize), line);
}

}  // namespace
}  // namespace zavra
