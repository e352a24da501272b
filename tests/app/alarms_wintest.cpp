// Timed behaviour of the main window with a clock the test drives.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "app/MainWindowFixture.h"
#include "app/MainWnd_win.h"
#include "app/ReopenDlg_win.h"
#include "resources/notezavra_res.h"
#include "framework/Text.h"
#include "schedule/Recurrence.h"
#include "store/StoreWin.h"
#include <shellapi.h>
#include <shlwapi.h>
#include <thread>

namespace zavra {
namespace {

class TimedBehaviour : public test::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    now_ = 1'800'000'000;  // 2027-01-15
    AddCategory(1, u"Unsorted");
  }
  // A one-time note at `when` (its day start plus the time of day, local time).
  NOTE_PAD Due(int64_t when, uint32_t flags = 0) {
    NOTE_PAD n;
    n.text = u"due";
    n.flags = kNoteScheduled | flags;
    const LocalFields f = MachineLocalTime().FieldsOf(when);
    n.start = MachineLocalTime().DayStart(f.dayNumber);
    n.end = n.start;
    n.timeFrom = f.secondOfDay;
    return n;
  }
};

TEST_F(TimedBehaviour, SavingAScheduledNoteQueuesIt) {
  CMainWnd& main = Start();
  NOTE_PAD n = Due(now_ + 600);
  ASSERT_TRUE(main.store().SaveNote(n));
  ASSERT_EQ(main.alarms().items().size(), 1u);
  EXPECT_EQ(main.alarms().items()[0].time, now_ + 600);
  // Flags that leave nothing to do at the time keep it out of the queue.
  n.flags |= kNoteNoWindow | kNoteNoSound;
  ASSERT_TRUE(main.store().SaveNote(n));
  EXPECT_TRUE(main.alarms().items().empty());
}

TEST_F(TimedBehaviour, ANoteDueWhileHoldingIsHeldAndStillSounds) {
  SetDword(u"Hold", 1);
  CMainWnd& main = Start();
  NOTE_PAD n = Due(now_ + 90);
  ASSERT_TRUE(main.store().SaveNote(n));
  now_ += 90;
  main.RunAlarmScan();
  EXPECT_EQ(main.savedState().held, std::vector<uint32_t>{n.id});
  EXPECT_EQ(main.lastSound(), test::BinDir() + L"snd\\clock.wav");
  EXPECT_EQ(TrayTip(u"Note Zavra", static_cast<uint32_t>(main.savedState().held.size()), u"%i On Hold"),
            u"Note Zavra\n1 On Hold");
  // Its own sound wins over the chime.
  NOTE_PAD own = Due(now_ + 60);
  own.sound = u"C:\\sounds\\bell.wav";
  ASSERT_TRUE(main.store().SaveNote(own));
  now_ += 60;
  main.RunAlarmScan();
  EXPECT_EQ(main.lastSound(), L"C:\\sounds\\bell.wav");
  EXPECT_EQ(main.savedState().held.size(), 2u);
}

TEST_F(TimedBehaviour, MissedWhileClosedFiresAtTheNextStart) {
  // The program ended at T; a note was due a minute later; the program starts again at T + 1 h.
  SetDword(u"Hold", 1);
  const int64_t closed = now_;
  NOTE_PAD n = Due(closed + 60);
  ASSERT_TRUE(store_->SaveNote(n));
  registry_->OpenSettingsKey()->SetQword(u"TimeClosed", static_cast<uint64_t>(closed + 1));
  now_ = closed + 3600;
  CMainWnd& main = Start();
  EXPECT_EQ(main.savedState().held, std::vector<uint32_t>{n.id}) << "fired (and held) at start-up";
  EXPECT_TRUE(main.alarms().items().empty()) << "and only once";
}

TEST_F(TimedBehaviour, AutoDeleteAtStartKeepsPermanentCategories) {
  NOTE_CATE permanent;
  permanent.id = 10001;
  permanent.name = u"Permanent";
  permanent.flags = 0;
  ASSERT_TRUE(store_->SaveCategory(permanent, false));
  const int64_t start = now_;
  now_ = start - 61 * 86400;
  NOTE_PAD old;
  old.text = u"old";
  ASSERT_TRUE(store_->SaveNote(old));
  NOTE_PAD kept;
  kept.text = u"kept";
  kept.category = 10001;
  ASSERT_TRUE(store_->SaveNote(kept));
  now_ = start;
  Start();
  NOTE_PAD probe;
  EXPECT_NE(store_->LoadNote(old.id, probe), kFileOk) << "61 days old in Unsorted: deleted";
  EXPECT_EQ(store_->LoadNote(kept.id, probe), kFileOk) << "a Permanent category keeps its notes";
}

TEST_F(TimedBehaviour, ReopenAfterComesBackAtItsTime) {
  SetDword(u"Hold", 1);
  CMainWnd& main = Start();
  NOTE_PAD n;
  n.text = u"later";
  ASSERT_TRUE(main.store().SaveNote(n));
  main.ReopenAfter(n.id, 0);
  EXPECT_TRUE(main.savedState().reopens.empty()) << "0 does nothing";
  main.ReopenAfter(n.id, 300);
  ASSERT_EQ(main.savedState().reopens.size(), 1u);
  now_ += 299;
  main.RunAlarmScan();
  EXPECT_TRUE(main.savedState().held.empty());
  now_ += 1;
  main.RunAlarmScan();
  EXPECT_TRUE(main.savedState().reopens.empty());
  EXPECT_EQ(main.savedState().held, std::vector<uint32_t>{n.id}) << "holding: the reopened note waits";
}

TEST_F(TimedBehaviour, ClockSetBackADayRescansTheFiles) {
  CMainWnd& main = Start();
  // A note written behind the program's back (no save notification).
  NOTE_PAD n = Due(now_ - 86400 + 600);
  ASSERT_TRUE(store_->SaveNote(n));
  EXPECT_TRUE(main.alarms().items().empty());
  now_ -= 86400;
  main.RunAlarmScan();
  ASSERT_EQ(main.alarms().items().size(), 1u);
  EXPECT_EQ(main.alarms().items()[0].id, n.id);
}

TEST_F(TimedBehaviour, DailyNoteFiresOncePerDayAndComesBackTheNextDay) {
  SetDword(u"Hold", 1);
  CMainWnd& main = Start();
  NOTE_PAD n = Due(now_ + 60);
  n.repeatKind = kRepeatDaily;
  n.flags |= kNoteOpenEnded;
  ASSERT_TRUE(main.store().SaveNote(n));
  const int64_t first = now_ + 60;
  now_ = first;
  main.RunAlarmScan();
  now_ = first + 30;
  main.RunAlarmScan();
  EXPECT_EQ(main.lastSound().empty(), false);
  ASSERT_EQ(main.savedState().held, std::vector<uint32_t>{n.id}) << "fired once";
  // Through the day the scan timer keeps running; the next day's occurrence is queued in time.
  for (now_ = first + 3600; now_ < first + 86400; now_ += 3600) main.RunAlarmScan();
  ASSERT_EQ(main.alarms().items().size(), 1u);
  int64_t expected = 0;
  ASSERT_TRUE(NextOccurrence(n, first + 1, 0, &expected, true));
  EXPECT_EQ(main.alarms().items()[0].time, expected);
}

TEST_F(TimedBehaviour, CustomReopenDialogAddsUpItsFields) {
  CReopenDlg dlg;
  std::thread answer([] {
    for (int i = 0; i < 200; ++i) {
      ::Sleep(50);
      // Shown only once its fields are filled: text set earlier would be overwritten.
      if (HWND d = test::FindOwnDialog(L"Timer")) {
        ::SetDlgItemTextW(d, IDC_REOPEN_HOURS, L"1");
        ::SetDlgItemTextW(d, IDC_REOPEN_MINUTES, L"30");
        ::PostMessageW(d, WM_COMMAND, IDOK, 0);
        return;
      }
    }
  });
  const INT_PTR r = dlg.DoModal(nullptr);
  answer.join();
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(dlg.days, 0);
  EXPECT_EQ(dlg.TotalMinutes(), 90);
  CReopenDlg zero;
  EXPECT_EQ(zero.TotalMinutes(), 0);
}

}  // namespace
}  // namespace zavra
