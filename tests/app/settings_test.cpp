#include <gtest/gtest.h>
#include "app/RecentList.h"
#include "app/Settings.h"
#include "store/MemoryRegistry.h"

namespace zavra {
namespace {

const RECT32 kWork{0, 0, 1280, 984};

std::vector<uint8_t> Bytes(std::initializer_list<uint32_t> words) {
  std::vector<uint8_t> b;
  for (uint32_t w : words)
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(w >> (8 * i)));
  return b;
}

struct Loaded {
  Settings s;
  SavedState state;
};
Loaded Load(MemoryRegistry& reg) {
  Loaded l;
  auto key = reg.OpenSettingsKey();
  LoadSettings(key.get(), kWork, l.s, l.state);
  return l;
}

TEST(Settings, EmptyKeyGivesEveryDefault) {
  MemoryRegistry reg;
  const Loaded l = Load(reg);
  EXPECT_EQ(l.s.noteWidth, 124);
  EXPECT_EQ(l.s.noteHeight, 73);
  EXPECT_EQ(l.s.notePosX, 0x7FFFFFFF);
  EXPECT_EQ(l.s.notePosY, 250);
  EXPECT_EQ(l.s.noteOpacity, 220u);
  EXPECT_EQ(l.s.noteMargin, 6u);
  EXPECT_EQ(l.s.noteAlign, 1u);
  EXPECT_TRUE(l.s.noteSnap);
  EXPECT_EQ(l.s.noteGap, 3u);
  EXPECT_EQ(l.s.trackGap, 5u);
  EXPECT_EQ(l.s.preopen1, 1800u);
  EXPECT_EQ(l.s.preopen2, 0u);
  EXPECT_EQ(l.s.autoDeleteDays, 60u);
  EXPECT_TRUE(l.s.noteOnTop);
  EXPECT_FALSE(l.s.hold);
  EXPECT_EQ(l.s.recentCount, 5u);
  // Tracker rectangle from the work area: R - 195, (T + B) / 2 + 30, R - 20, B - 32.
  EXPECT_EQ(l.s.trackRect.left, 1085);
  EXPECT_EQ(l.s.trackRect.top, 522);
  EXPECT_EQ(l.s.trackRect.right, 1260);
  EXPECT_EQ(l.s.trackRect.bottom, 952);
  EXPECT_EQ(l.state.timeClosed, INT64_MAX);
}

TEST(Settings, OldAutoDeleteInMonthsUntilTheNewValueIsWritten) {
  MemoryRegistry reg;
  reg.settings.dwords[u"NoteAutoDel"] = 3;
  Loaded l = Load(reg);
  EXPECT_EQ(l.s.autoDeleteDays, 90u);
  auto key = reg.OpenSettingsKey();
  WriteMiscGroup(key.get(), l.s);
  EXPECT_EQ(reg.settings.dwords[u"NoteAutoDel2"], 90u);
  reg.settings.dwords[u"NoteAutoDel"] = 7;
  EXPECT_EQ(Load(reg).s.autoDeleteDays, 90u) << "the old value is no longer consulted";
  reg.settings.dwords[u"NoteAutoDel2"] = 0;
  EXPECT_EQ(Load(reg).s.autoDeleteDays, 0u) << "0 means never, not missing";
}

TEST(Settings, PresentZeroTurnsAnOptionOffAndWrongSizesCountAsMissing) {
  MemoryRegistry reg;
  reg.settings.dwords[u"NoteOnTop"] = 0;
  reg.settings.qwords[u"NoteOpacity"] = 100;  // an 8-byte value
  reg.settings.binaries[u"NoteSize"] = Bytes({200, 100, 7});  // 12 bytes
  reg.settings.binaries[u"NotePos2"] = Bytes({10});           // 4 bytes
  const Loaded l = Load(reg);
  EXPECT_FALSE(l.s.noteOnTop);
  EXPECT_EQ(l.s.noteOpacity, 220u);
  EXPECT_EQ(l.s.noteWidth, 124);
  EXPECT_EQ(l.s.notePosX, 0x7FFFFFFF);
}

TEST(Settings, TimeClosedIsConsumed) {
  MemoryRegistry reg;
  auto key = reg.OpenSettingsKey();
  Settings s;
  WriteExitGroup(key.get(), s, 1'700'000'000);
  EXPECT_EQ(Load(reg).state.timeClosed, 1'700'000'001);
  EXPECT_EQ(Load(reg).state.timeClosed, INT64_MAX) << "a second start without an orderly exit sees none";
}

TEST(Settings, GroupsWriteTheirValuesAndRoundTrip) {
  MemoryRegistry reg;
  auto key = reg.OpenSettingsKey();
  Settings s;
  s.noteWidth = 300;
  s.noteHeight = 200;
  s.notePosX = -40;
  s.notePosY = 600;
  s.noteOpacity = 255;
  s.trackRect = {-5, 6, 7, 8};
  s.preopen2 = 600;
  s.hold = true;
  s.recentCount = 9;
  WriteSizeAndPositionGroup(key.get(), s);
  EXPECT_FALSE(reg.settings.Has(u"NoteOpacity")) << "each group writes only its own values";
  WriteNotePageGroup(key.get(), s);
  WriteMiscGroup(key.get(), s);
  WriteExitGroup(key.get(), s, 5);
  const Loaded l = Load(reg);
  EXPECT_EQ(l.s.noteWidth, 300);
  EXPECT_EQ(l.s.notePosX, -40);
  EXPECT_EQ(l.s.noteOpacity, 255u);
  EXPECT_EQ(l.s.trackRect.left, -5);
  EXPECT_EQ(l.s.trackRect.bottom, 8);
  EXPECT_EQ(l.s.preopen2, 600u);
  EXPECT_TRUE(l.s.hold);
  EXPECT_EQ(l.s.recentCount, 9u);
}

TEST(Settings, StateListsWriteOnlyMarkedListsAndDeleteEmptyOnes) {
  MemoryRegistry reg;
  auto key = reg.OpenSettingsKey();
  SavedState st;
  st.held = {4, 9};
  st.recent = {1, 2, 3};
  st.openNotes = {{7, 0x8}, {0, 0x8}, {8, 0}};
  st.trackers = {{5, 1}};
  st.reopens = {{3, 0, 0x1'2345'6789LL}};
  WriteStateLists(key.get(), st, kMarkHeld | kMarkRecent | kMarkOpenNotes | kMarkTrackers | kMarkReopens);
  EXPECT_EQ(reg.settings.binaries[u"HeldNotes"], Bytes({4, 9}));
  EXPECT_EQ(reg.settings.binaries[u"OpenNotes2"], Bytes({7, 8, 8, 0})) << "windows of unsaved notes are skipped";
  EXPECT_EQ(reg.settings.binaries[u"Reopens"], Bytes({3, 0, 0x23456789, 1}));

  const Loaded l = Load(reg);
  EXPECT_EQ(l.state.held, st.held);
  EXPECT_EQ(l.state.recent, st.recent);
  EXPECT_EQ(l.state.openNotes, (std::vector<OpenNoteEntry>{{7, 8}, {8, 0}}));
  EXPECT_EQ(l.state.trackers, st.trackers);
  EXPECT_EQ(l.state.reopens, st.reopens);

  st.held.clear();
  st.recent = {3};
  WriteStateLists(key.get(), st, kMarkHeld);
  EXPECT_FALSE(reg.settings.Has(u"HeldNotes")) << "an empty list deletes its value";
  EXPECT_EQ(reg.settings.binaries[u"MRUN"], Bytes({1, 2, 3})) << "unmarked lists stay as written";
}

TEST(Settings, DamagedListsKeepTheirWholeEntries) {
  MemoryRegistry reg;
  auto b = Bytes({1, 2});
  b.push_back(0xFF);
  reg.settings.binaries[u"HeldNotes"] = b;
  reg.settings.binaries[u"Reopens"] = Bytes({1, 2, 3});
  const Loaded l = Load(reg);
  EXPECT_EQ(l.state.held, (std::vector<uint32_t>{1, 2}));
  EXPECT_TRUE(l.state.reopens.empty());
}

TEST(Settings, MissingKeyMakesWritesNoOps) {
  Settings s;
  SavedState st;
  LoadSettings(nullptr, kWork, s, st);
  EXPECT_EQ(s.noteOpacity, 220u);
  WriteExitGroup(nullptr, s, 1);
  WriteStateLists(nullptr, st, 0xFF);
}

TEST(RecentList, MovesToTheEndAndKeepsTheChosenLength) {
  std::vector<uint32_t> r{1, 2, 3};
  EXPECT_TRUE(AddRecent(r, 2, 5));
  EXPECT_EQ(r, (std::vector<uint32_t>{1, 3, 2}));
  EXPECT_TRUE(AddRecent(r, 4, 3));
  EXPECT_EQ(r, (std::vector<uint32_t>{3, 2, 4}));
  EXPECT_FALSE(AddRecent(r, 0, 3));
  EXPECT_FALSE(AddRecent(r, 9, 0)) << "nothing is recorded while the length is 0";
  EXPECT_TRUE(CutRecent(r, 1));
  EXPECT_EQ(r, (std::vector<uint32_t>{4}));
  EXPECT_TRUE(RemoveRecent(r, 4));
  EXPECT_FALSE(RemoveRecent(r, 4));
}

}  // namespace
}  // namespace zavra
