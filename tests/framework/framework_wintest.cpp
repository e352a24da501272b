#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/PropertySheet.h"
#include "framework/Strings.h"
#include "framework/Window.h"
#include "framework/framework_test_res.h"
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace zavra {
namespace {

// ---------------------------------------------------------------- windows and commands

class RoutedWindow : public CWnd {
 public:
  std::vector<UINT> commands;
  std::vector<UINT> messages;
  bool* destroyedFlag = nullptr;
  bool Create() {
    RegisterWindowClass(L"ZavraTestRouted", 0);
    return CreateEx(0, L"ZavraTestRouted", L"routed", WS_POPUP, RECT{0, 0, 10, 10}, HWND_MESSAGE);
  }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_APP) messages.push_back(static_cast<UINT>(wp));
    return CWnd::WindowProc(msg, wp, lp);
  }
  bool OnCommand(UINT id, UINT, HWND) override { return RouteCommand<RoutedWindow>(this, kRoutes, id); }
  void PostNcDestroy() override {
    if (destroyedFlag) *destroyedFlag = true;
  }

 private:
  void OnSingle(UINT id) { commands.push_back(id); }
  void OnRange(UINT id) { commands.push_back(id + 10000); }
  static constexpr CommandRoute<RoutedWindow> kRoutes[] = {
      {100, 100, &RoutedWindow::OnSingle},
      {200, 299, &RoutedWindow::OnRange},
  };
};

TEST(Window, MessagesAndMenuCommandsReachTheirHandlers) {
  RoutedWindow w;
  ASSERT_TRUE(w.Create());
  EXPECT_EQ(CWnd::FromHandle(w.GetSafeHwnd()), &w);
  ::SendMessageW(w, WM_APP, 7, 0);
  ::SendMessageW(w, WM_COMMAND, MAKEWPARAM(100, 0), 0);
  ::SendMessageW(w, WM_COMMAND, MAKEWPARAM(250, 0), 0);
  ::SendMessageW(w, WM_COMMAND, MAKEWPARAM(300, 0), 0);  // no route
  EXPECT_EQ(w.messages, std::vector<UINT>{7});
  EXPECT_EQ(w.commands, (std::vector<UINT>{100, 10250}));
}

TEST(Window, DestructionUnbindsAndNotifiesOnce) {
  bool destroyed = false;
  HWND h = nullptr;
  {
    RoutedWindow w;
    w.destroyedFlag = &destroyed;
    ASSERT_TRUE(w.Create());
    h = w.GetSafeHwnd();
    w.DestroyWindow();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(w.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandle(h), nullptr);
  }
  EXPECT_FALSE(::IsWindow(h));
}

TEST(Window, AnObjectThatDiesFirstTakesItsWindowAlong) {
  HWND h = nullptr;
  {
    RoutedWindow w;
    ASSERT_TRUE(w.Create());
    h = w.GetSafeHwnd();
  }
  EXPECT_FALSE(::IsWindow(h)) << "an orphaned window would route messages to a dead object";
}

class CountingEdit : public CWnd {
 public:
  int chars = 0;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_CHAR) ++chars;
    return CWnd::WindowProc(msg, wp, lp);
  }
};

TEST(Window, SubclassedControlKeepsItsOwnBehaviour) {
  HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(edit);
  {
    CountingEdit c;
    ASSERT_TRUE(c.SubclassWindow(edit));
    ::SendMessageW(edit, WM_CHAR, L'a', 0);
    ::SendMessageW(edit, WM_CHAR, L'b', 0);
    EXPECT_EQ(c.chars, 2);
    wchar_t text[8] = {};
    ::GetWindowTextW(edit, text, 8);
    EXPECT_STREQ(text, L"ab") << "the edit control's own procedure still runs";
  }
  // Unsubclassed when the object went away, the control lives on.
  EXPECT_TRUE(::IsWindow(edit));
  ::SendMessageW(edit, WM_CHAR, L'c', 0);
  ::DestroyWindow(edit);
}

// ---------------------------------------------------------------- strings

TEST(Strings, LoadByIdAndFormatPositionalArguments) {
  EXPECT_EQ(LoadResString(IDS_TEST_HELLO), L"Hello %1, %2%%");
  EXPECT_EQ(FormatArgs(LoadResString(IDS_TEST_HELLO), {L"you", L"50"}), L"Hello you, 50%");
  EXPECT_EQ(FormatArgs(L"%2 before %1, %3 missing", {L"a", L"b"}), L"b before a,  missing");
  EXPECT_EQ(LoadResString(12345), L"");
  EXPECT_EQ(MessageEnterIntegerBetween(1, 10), L"Enter an integer between 1 and 10.");
}

// ---------------------------------------------------------------- dialogs and data exchange

struct NumberData {
  int number = 5;
  std::wstring text = L"start";
  bool check = true;
};

class NumberDialog : public CDialog {
 public:
  explicit NumberDialog(NumberData& d) : CDialog(IDD_TEST_NUMBER), data_(d) {}

 protected:
  void DoDataExchange(DataExchange& dx) override {
    dx.Int(IDC_TEST_NUMBER, data_.number, 1, 10);
    dx.Text(IDC_TEST_TEXT, data_.text, 8);
    dx.Check(IDC_TEST_CHECK, data_.check);
  }

 private:
  NumberData& data_;
};

// Text of the first message box owned by `owner`, pressing its OK button.
std::wstring AnswerMessageBox(HWND owner) {
  std::wstring text;
  test::PumpUntil(
      [&] {
        HWND box = nullptr;
        while ((box = ::FindWindowExW(nullptr, box, L"#32770", nullptr))) {
          if (::GetWindow(box, GW_OWNER) != owner) continue;
          wchar_t buf[256] = {};
          ::GetDlgItemTextW(box, 0xFFFF, buf, 256);
          if (!buf[0]) return false;  // still being filled in
          text = buf;
          ::PostMessageW(box, WM_COMMAND, IDOK, 0);
          return true;
        }
        return false;
      },
      60000);
  return text;
}

TEST(Dialog, ExchangesValuesWithControlsById) {
  NumberData data;
  NumberDialog dlg(data);
  ASSERT_TRUE(dlg.CreateModeless(nullptr));
  HWND h = dlg.GetSafeHwnd();
  wchar_t buf[32] = {};
  ::GetDlgItemTextW(h, IDC_TEST_NUMBER, buf, 32);
  EXPECT_STREQ(buf, L"5");
  EXPECT_EQ(::IsDlgButtonChecked(h, IDC_TEST_CHECK), BST_CHECKED);

  ::SetDlgItemTextW(h, IDC_TEST_NUMBER, L" 7 ");
  ::SetDlgItemTextW(h, IDC_TEST_TEXT, L"a longer text than eight");
  ::CheckDlgButton(h, IDC_TEST_CHECK, BST_UNCHECKED);
  EXPECT_TRUE(dlg.UpdateData(true));
  EXPECT_EQ(data.number, 7);
  EXPECT_EQ(data.text, L"a longer") << "text is cut to the field's size";
  EXPECT_FALSE(data.check);
  dlg.DestroyWindow();
}

TEST(Dialog, OutOfRangeShowsTheStandardMessageAndKeepsTheValue) {
  NumberData data;
  NumberDialog dlg(data);
  ASSERT_TRUE(dlg.CreateModeless(nullptr));
  HWND h = dlg.GetSafeHwnd();
  for (const wchar_t* bad : {L"11", L"abc", L"99999999999"}) {
    ::SetDlgItemTextW(h, IDC_TEST_NUMBER, bad);
    std::wstring shown;
    std::atomic<bool> answered{false};
    std::thread answer([&] {
      shown = AnswerMessageBox(h);
      answered = true;
    });
    const bool ok = dlg.UpdateData(true);
    answer.join();
    EXPECT_FALSE(ok) << "accepted " << std::string(bad, bad + wcslen(bad));
    EXPECT_EQ(shown, L"Enter an integer between 1 and 10.");
    EXPECT_EQ(data.number, 5);
  }
  dlg.DestroyWindow();
}

// ---------------------------------------------------------------- property sheets

class NumberPage : public CPropertyPage {
 public:
  explicit NumberPage(int& value) : CPropertyPage(IDD_TEST_PAGE1), value_(value) {}
  int applied = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Int(IDC_TEST_NUMBER, value_, 0, 100); }
  bool OnApply() override {
    ++applied;
    return true;
  }

 private:
  int& value_;
};

class CheckPage : public CPropertyPage {
 public:
  explicit CheckPage(bool& value) : CPropertyPage(IDD_TEST_PAGE2), value_(value) {}

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Check(IDC_TEST_CHECK, value_); }

 private:
  bool& value_;
};

TEST(Sheets, PagesLoadTheirDataAndApplyOnOk) {
  int number = 42;
  bool check = false;
  NumberPage first(number);
  CheckPage second(check);
  CPropertySheet sheet(L"Test sheet");
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  HWND h = sheet.Create(nullptr);
  ASSERT_TRUE(h);
  HWND page = PropSheet_GetCurrentPageHwnd(h);
  ASSERT_TRUE(page);
  wchar_t buf[16] = {};
  ::GetDlgItemTextW(page, IDC_TEST_NUMBER, buf, 16);
  EXPECT_STREQ(buf, L"42");
  ::SetDlgItemTextW(page, IDC_TEST_NUMBER, L"64");
  PropSheet_PressButton(h, PSBTN_OK);
  test::Pump(100);
  EXPECT_EQ(number, 64);
  EXPECT_EQ(first.applied, 1);
  EXPECT_FALSE(PropSheet_GetCurrentPageHwnd(h)) << "OK ends a modeless sheet";
  ::DestroyWindow(h);
}

// ---------------------------------------------------------------- handle owners

TEST(Handles, OwnersReleaseOnceAndMove) {
  KernelHandle a(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(a);
  HANDLE raw = a.get();
  KernelHandle b(std::move(a));
  EXPECT_FALSE(a);
  EXPECT_EQ(b.get(), raw);
  b.reset();
  DWORD flags = 0;
  EXPECT_FALSE(::GetHandleInformation(raw, &flags)) << "the handle was closed";

  BitmapHandle bmp(::CreateBitmap(4, 4, 1, 32, nullptr));
  ASSERT_TRUE(bmp);
  MemoryDC dc(::CreateCompatibleDC(nullptr));
  {
    SelectObjectScope select(dc.get(), bmp.get());
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), bmp.get());
  }
  EXPECT_NE(::GetCurrentObject(dc.get(), OBJ_BITMAP), bmp.get()) << "the old bitmap is back";
}

}  // namespace
}  // namespace zavra
