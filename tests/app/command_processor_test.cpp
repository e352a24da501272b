#include <gtest/gtest.h>
#include "app/CommandProcessor.h"
#include <string>
#include <vector>

namespace zavra {
namespace {

// Records every operation the processor reaches, in order.
class RecordingTarget : public ICommandTarget {
 public:
  std::vector<std::string> calls;
  bool urls = false;

  void OpenCalendar() override { calls.push_back("calendar"); }
  void PostQuickMenu(char16_t letter, int category) override {
    calls.push_back(std::string("quick ") + static_cast<char>(letter) + " " + std::to_string(category));
  }
  void NewNoteFromCommand(int category, const std::u16string* text) override {
    calls.push_back("new " + std::to_string(category) + (text ? " [" + Narrow(*text) + "]" : " clipboard"));
  }
  void OpenPadFromCommand(int category) override { calls.push_back("pad " + std::to_string(category)); }
  bool IsUrl(const std::u16string& path) override {
    // Stands in for the shell's test: a scheme of two or more letters and a colon.
    const size_t colon = path.find(u':');
    return urls && colon != std::u16string::npos && colon > 1;
  }
  void OpenNoteById(uint32_t id) override { calls.push_back("open " + std::to_string(id)); }
  void ImportNoteFile(const std::u16string& path) override { calls.push_back("import " + Narrow(path)); }
  void AddTrayIcon() override { calls.push_back("tray"); }
  void ShowStartupBalloon() override { calls.push_back("balloon"); }

  static std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }
};

std::vector<std::string> Process(const char16_t* line, bool atStartup) {
  RecordingTarget t;
  t.urls = true;
  ProcessCommandLine(line, atStartup, t);
  return t.calls;
}

using Calls = std::vector<std::string>;

TEST(CommandProcessor, RoutesEachSwitchThenAddsTheTrayIcon) {
  EXPECT_EQ(Process(u"/c", false), (Calls{"calendar", "tray"}));
  EXPECT_EQ(Process(u"/f3", false), (Calls{"quick f 3", "tray"}));
  EXPECT_EQ(Process(u"/q", false), (Calls{"quick q -1000", "tray"}));
  EXPECT_EQ(Process(u"/n5 Buy milk", false), (Calls{"new 5 [Buy milk]", "tray"}));
  EXPECT_EQ(Process(u"/n5", false), (Calls{"new 5 clipboard", "tray"}));
  EXPECT_EQ(Process(u"/n", false), (Calls{"new -1000 clipboard", "tray"}));
  EXPECT_EQ(Process(u"/p", false), (Calls{"pad -1000", "tray"}));
  EXPECT_EQ(Process(u"/p0", false), (Calls{"pad 0", "tray"}));
  EXPECT_EQ(Process(u"/x", false), (Calls{"tray"}));
  EXPECT_EQ(Process(u"", false), (Calls{"tray"}));
}

TEST(CommandProcessor, BalloonOnlyForTheProgramsOwnCommandLine) {
  EXPECT_EQ(Process(u"/i", true), (Calls{"tray", "balloon"}));
  EXPECT_EQ(Process(u"/i", false), (Calls{"tray"}));
}

TEST(CommandProcessor, LinksAndPaths) {
  EXPECT_EQ(Process(u"note:5", false), (Calls{"open 5", "tray"}));
  EXPECT_EQ(Process(u"note:0", false), (Calls{"tray"}));
  EXPECT_EQ(Process(u"note:abc", false), (Calls{"tray"}));
  // Not our link word, but still a URL: nothing else happens either.
  EXPECT_EQ(Process(u"NOTE:5", false), (Calls{"tray"}));
  EXPECT_EQ(Process(u"http://example.invalid/x", false), (Calls{"tray"}));
  EXPECT_EQ(Process(u"\"C:\\path with blanks\\x.zpn\"", false), (Calls{"import C:\\path with blanks\\x.zpn", "tray"}));
  EXPECT_EQ(Process(u"C:\\path with blanks\\x.zpn", false), (Calls{"import C:\\path with blanks\\x.zpn", "tray"}));
}

}  // namespace
}  // namespace zavra
