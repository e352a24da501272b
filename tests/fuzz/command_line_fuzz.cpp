// Fuzz target: the command-line grammar and the pipe's command extraction on any bytes.
#include <gtest/gtest.h>
#include "app/CommandLine.h"
#include "app/CommandProcessor.h"
#include "app/PipeMessage.h"
#include <cstdlib>
#include "fuzz/FuzzTarget.h"
#include "fuzz/Mutator.h"

namespace zavra {
namespace {

class NullTarget : public ICommandTarget {
 public:
  void OpenCalendar() override {}
  void PostQuickMenu(char16_t, int) override {}
  void NewNoteFromCommand(int, const std::u16string* text) override {
    if (text) textSeen += text->size();
  }
  void OpenPadFromCommand(int) override {}
  bool IsUrl(const std::u16string& path) override { return path.find(u':') != std::u16string::npos; }
  void OpenNoteById(uint32_t id) override { EXPECT_NE(id, 0u); }
  void ImportNoteFile(const std::u16string& path) override { EXPECT_FALSE(path.empty()); }
  void AddTrayIcon() override { ++trayAdds; }
  void ShowStartupBalloon() override {}
  size_t textSeen = 0;
  int trayAdds = 0;
};

}  // namespace

int FuzzCommandLine(const uint8_t* data, size_t size) {
  // The bytes as they would arrive in a WM_COPYDATA block.
  const std::u16string line = CommandLineFromCopyData(data, size);
  NullTarget target;
  ProcessCommandLine(line, true, target);
  if (target.trayAdds != 1) std::abort();
  return 0;
}

ZAVRA_FUZZ_ENTRY(FuzzCommandLine)

TEST(CommandLineFuzz, BoundedMutationRun) {
  std::vector<fuzz::Bytes> seeds;
  for (const char16_t* s : {u"/n5 Buy milk", u"\"C:\\a b\\x.zpn\"", u"note:12", u"/p0", u"/i", u"/"}) {
    seeds.push_back(BuildPipeMessage(0, s));
    seeds.back().erase(seeds.back().begin(), seeds.back().begin() + kPipeHeaderSize);
  }
  fuzz::RunMutations(seeds, 20000, 1234, [](const fuzz::Bytes& b) { FuzzCommandLine(b.data(), b.size()); });
}

}  // namespace zavra
