// A month with a dozen notes over a background picture drawn here; the screen is saved as
// screenshots/calendar_month.png for a person to look at.
#include "CalendarTestSupport.h"

#include <cmath>

namespace zavra {
namespace {

using test::CalendarFixture;

// Evening sky over two ranges of hills.
bool SaveLandscape(const std::wstring& path, int width, int height) {
  Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const double fx = static_cast<double>(x) / width, fy = static_cast<double>(y) / height;
      const double farHills = 0.55 + 0.08 * std::sin(fx * 9.0) + 0.05 * std::sin(fx * 23.0 + 1.0);
      const double nearHills = 0.72 + 0.07 * std::sin(fx * 5.0 + 2.0);
      Gdiplus::Color c(255, static_cast<BYTE>(250 - 90 * fy), static_cast<BYTE>(170 + 60 * fy), static_cast<BYTE>(110 + 140 * fy));
      if (fy > nearHills)
        c = Gdiplus::Color(255, 40, static_cast<BYTE>(110 + 40 * fx), 60);
      else if (fy > farHills)
        c = Gdiplus::Color(255, 90, 120, static_cast<BYTE>(150 + 30 * fx));
      bitmap.SetPixel(x, y, c);
    }
  const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
  return bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

class CalendarScreenshot : public CalendarFixture {};

TEST_F(CalendarScreenshot, AMonthOfNotesOverAPicture) {
  const std::wstring picture = test::CalendarTestFolder(L"pictures") + L"hills.png";
  ASSERT_TRUE(SaveLandscape(picture, 480, 320));
  registry.settings.dwords[u"CalWallpaper"] = 1;
  registry.settings.strings[u"CalBkgImgFile"] = ToU16(picture);
  registry.settings.dwords[u"CalBkgAlpha"] = 96;
  now = DayStart(2026, 3, 15) + 12 * 3600;

  AddEvent(u"Dentist", 2026, 3, 5, 5, 9, 0x008080FF);
  AddEvent(u"Holiday in Lisbon", 2026, 3, 9, 14, 6, 0x0090E090);
  AddEvent(u"Conference in Graz", 2026, 3, 26, 31, 8, 0x00E0C080);
  AddEvent(u"Ski week", 2026, 2, 26, 2, 7, 0x00F0F0A0, 3);  // from February: no left cap
  const uint32_t meeting = AddWeekly(u"Team meeting", 2026, 3, 3, 1, 10);
  AddWeekly(u"Book club", 2026, 3, 5, 2, 19, 0x00D0A0F0);
  AddEvent(u"Call mum", 2026, 3, 15, 15, 18, 0x00B0F0F0);
  AddEvent(u"Report due", 2026, 3, 27, 27, 12, 0x0060C0FF);
  for (int i = 1; i <= 7; ++i) AddEvent(u"Errand " + std::u16string(1, u'0' + i), 2026, 3, 12, 12, 8 + i);  // a "+"
  // Monthly with the coin icon, yearly with the cake, every third day, and one unscheduled.
  const struct {
    const char16_t* text;
    uint8_t kind, interval;
    uint16_t param, icon;
  } series[] = {{u"Pay the rent", kRepeatMonthlyByDay, 1, 1, 24},
                {u"Anna's birthday", kRepeatYearlyByDay, 1, 3 << 8 | 22, 22},
                {u"Gym", kRepeatDaily, 3, 0, 0}};
  for (const auto& r : series) {
    NOTE_PAD n;
    n.text = r.text;
    n.flags = kNoteOnCalendar | kNoteScheduled | kNoteOpenEnded | (r.icon ? uint32_t{kNoteOwnIcon} : 0u);
    n.icon = r.icon;
    n.start = n.end = DayStart(2026, 1, 1);
    n.timeFrom = 8 * 3600;
    n.repeatKind = r.kind;
    n.repeatInterval = r.interval;
    n.repeatParam = r.param;
    ASSERT_TRUE(store.SaveNote(n));
  }
  NOTE_PAD groceries;
  groceries.text = u"Groceries: bread, milk; apples";
  groceries.flags = kNoteOnCalendar;
  ASSERT_TRUE(store.SaveNote(groceries));  // created now, on the 15th

  ASSERT_TRUE(Open());
  ::SetWindowPos(*window, HWND_TOP, 10, 10, 980, 760, SWP_NOACTIVATE);
  ::SendMessageW(*window, WM_LBUTTONDOWN, 0, MAKELPARAM(window->DayCellOrigin(17).x, window->DayCellOrigin(17).y));
  NOTE_PAD note;
  ASSERT_EQ(store.LoadNote(meeting, note), kFileOk);
  note.excludes.push_back(DateKey(2026, 3, 17));
  ASSERT_TRUE(store.SaveNote(note));
  EXPECT_TRUE(window->hasPicture());
  EXPECT_GE(window->layout().entries().size(), 12u);
  test::Pump(800);
  EXPECT_TRUE(test::SaveScreenshot(test::ScreenshotPath(L"calendar_month.png"))) << "screenshot not written";

  // The picture shows through the wash: the sky's warm colour beside the title.
  const COLORREF sky = PixelAt(600, 20);
  EXPECT_GT(GetRValue(sky), GetBValue(sky)) << std::hex << sky << ": red above blue in the evening sky";
}

}  // namespace
}  // namespace zavra
