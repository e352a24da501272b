#include "feeds/PropFeedPage_win.h"

#include "framework/Handles.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include <algorithm>

namespace zavra {

namespace {

constexpr int kColumnName = 0, kColumnNote = 1, kColumnInterval = 2, kColumnCategory = 3;
constexpr size_t kMaxMenuCategories = IDM_FEED_CATE_LAST - IDM_FEED_CATE_FIRST + 1;

}  // namespace

CPropFeedPage::CPropFeedPage(CFeedManager& manager, IRegistry& settings)
    : CPropertyPage(IDD_PROP_FEED), manager_(manager), settings_(settings) {
  // The page's template has a list view, whoever shows the page.
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&icc);
}

bool CPropFeedPage::OnInitDialog() {
  FeedSettings settings;
  {
    const auto key = settings_.OpenSettingsKey();
    settings = ReadFeedSettings(key.get());
  }
  categories_ = manager_.Categories();
  data_ = LoadFeedPage(manager_.store(), settings, categories_);

  HWND list = ::GetDlgItem(GetSafeHwnd(), IDC_FEED_LIST);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
  const struct {
    UINT text;
    int width;
  } columns[] = {{IDS_FEED_COL_NAME, 210}, {IDS_FEED_COL_NOTE, 40}, {IDS_FEED_COL_SI, 40}, {IDS_FEED_COL_CATEGORY, 110}};
  for (int i = 0; i < 4; ++i) {
    std::wstring text = LoadResString(columns[i].text);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    column.cx = columns[i].width;
    column.iSubItem = i;
    ListView_InsertColumn(list, i, &column);
  }
  FillCategories();
  ::CheckRadioButton(GetSafeHwnd(), IDC_FEED_MODE_NONE, IDC_FEED_MODE_CONFIGURED,
                     IDC_FEED_MODE_NONE + static_cast<int>(std::min<uint32_t>(data_.mode, 2)));
  ShowMode();
  ShowRows();
  initialised_ = true;
  return true;
}

void CPropFeedPage::FillCategories() {
  HWND combo = ::GetDlgItem(GetSafeHwnd(), IDC_FEED_CATEGORY);
  // The user's choice survives a reload of the list.
  const LRESULT selected = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
  uint32_t wanted = data_.defaultCategory;
  if (selected != CB_ERR) wanted = static_cast<uint32_t>(::SendMessageW(combo, CB_GETITEMDATA, selected, 0));
  wanted = ExistingCategory(wanted, categories_);
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const NOTE_CATE& c : categories_.items) {
    const LRESULT at = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(c.name)));
    ::SendMessageW(combo, CB_SETITEMDATA, at, c.id);
    if (c.id == wanted || (wanted == 0 && c.id == kUnsortedCategory)) ::SendMessageW(combo, CB_SETCURSEL, at, 0);
  }
  for (TFEED& row : data_.rows) row.category = ExistingCategory(row.category, categories_);
}

void CPropFeedPage::ShowMode() {
  const bool none = ::IsDlgButtonChecked(GetSafeHwnd(), IDC_FEED_MODE_NONE) == BST_CHECKED;
  const bool configured = ::IsDlgButtonChecked(GetSafeHwnd(), IDC_FEED_MODE_CONFIGURED) == BST_CHECKED;
  ::EnableWindow(::GetDlgItem(GetSafeHwnd(), IDC_FEED_CATEGORY_LABEL), !none);
  ::EnableWindow(::GetDlgItem(GetSafeHwnd(), IDC_FEED_CATEGORY), !none);
  ::EnableWindow(::GetDlgItem(GetSafeHwnd(), IDC_FEED_LIST), configured);
}

void CPropFeedPage::ShowRows() {
  HWND list = ::GetDlgItem(GetSafeHwnd(), IDC_FEED_LIST);
  ListView_SetItemCountEx(list, static_cast<int>(data_.rows.size()), LVSICF_NOSCROLL);
  ::InvalidateRect(list, nullptr, TRUE);
}

void CPropFeedPage::MarkModified() {
  if (!initialised_) return;
  modified_ = true;
  SetModified(true);
}

std::wstring CPropFeedPage::CellText(int row, int column) const {
  if (row < 0 || static_cast<size_t>(row) >= data_.rows.size()) return {};
  const TFEED& feed = data_.rows[static_cast<size_t>(row)];
  switch (column) {
    case kColumnName:
      return ToWide(feed.name);
    case kColumnNote:
      return feed.enable ? LoadResString(IDS_FEED_ON) : std::wstring();
    case kColumnInterval: {
      const int choice = IntervalChoice(feed.interval);
      return choice == 0 ? std::wstring() : LoadResString(IDS_FEED_SI_FIRST + choice - 1);
    }
    case kColumnCategory:
      if (feed.category == 0) return LoadResString(IDS_FEED_DEFAULT);
      return ToWide(categories_.Resolve(feed.category).name);
    default:
      return {};
  }
}

INT_PTR CPropFeedPage::DialogProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lp)->idFrom == IDC_FEED_LIST) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
    if (hdr->code == LVN_GETDISPINFOW) {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(lp);
      if (info->item.mask & LVIF_TEXT) {
        cell_ = CellText(info->item.iItem, info->item.iSubItem);
        info->item.pszText = cell_.data();
      }
      return TRUE;
    }
    if (hdr->code == NM_RCLICK) {
      const int row = reinterpret_cast<const NMITEMACTIVATE*>(lp)->iItem;
      if (row >= 0) ShowRowMenu(row);
      return TRUE;
    }
    return FALSE;
  }
  if (msg == PSM_QUERYSIBLINGS && wp == 1) {
    // The categories page applied: names and ids may have changed.
    categories_ = manager_.Categories();
    FillCategories();
    ShowRows();
    return FALSE;
  }
  return CPropertyPage::DialogProc(msg, wp, lp);
}

bool CPropFeedPage::OnCommand(UINT id, UINT code, HWND) {
  if (id >= IDC_FEED_MODE_NONE && id <= IDC_FEED_MODE_CONFIGURED && code == BN_CLICKED) {
    ShowMode();
    MarkModified();
    return true;
  }
  if (id == IDC_FEED_CATEGORY && code == CBN_SELCHANGE) {
    MarkModified();
    return true;
  }
  return false;
}

HMENU CPropFeedPage::BuildRowMenu(int row) {
  if (row < 0 || static_cast<size_t>(row) >= data_.rows.size()) return nullptr;
  const TFEED& feed = data_.rows[static_cast<size_t>(row)];
  HMENU resource = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_FEED));
  if (!resource) return nullptr;
  HMENU menu = ::GetSubMenu(resource, 0);
  ::RemoveMenu(resource, 0, MF_BYPOSITION);
  ::DestroyMenu(resource);
  ::CheckMenuItem(menu, IDM_FEED_ENABLE, MF_BYCOMMAND | (feed.enable ? MF_CHECKED : MF_UNCHECKED));
  ::CheckMenuRadioItem(menu, IDM_FEED_SI_FIRST, IDM_FEED_SI_LAST, IDM_FEED_SI_FIRST + IntervalChoice(feed.interval),
                       MF_BYCOMMAND);
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    HMENU sub = ::GetSubMenu(menu, i);
    if (!sub || ::GetMenuItemID(sub, 0) != IDM_FEED_CATE_DEFAULT) continue;
    UINT current = IDM_FEED_CATE_DEFAULT;
    for (size_t k = 0; k < categories_.items.size() && k < kMaxMenuCategories; ++k) {
      const UINT command = IDM_FEED_CATE_FIRST + static_cast<UINT>(k);
      ::AppendMenuW(sub, MF_STRING, command, AsWide(categories_.items[k].name));
      if (categories_.items[k].id == feed.category) current = command;
    }
    ::CheckMenuRadioItem(sub, IDM_FEED_CATE_DEFAULT, IDM_FEED_CATE_LAST, current, MF_BYCOMMAND);
  }
  return menu;
}

void CPropFeedPage::ShowRowMenu(int row) {
  MenuHandle menu(BuildRowMenu(row));
  if (!menu) return;
  POINT at{};
  ::GetCursorPos(&at);
  HWND self = GetSafeHwnd();
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, self, nullptr));
  // The sheet may have gone while the menu was up.
  if (command && Alive(self)) RunRowCommand(row, command);
}

void CPropFeedPage::RunRowCommand(int row, UINT command) {
  if (row < 0 || static_cast<size_t>(row) >= data_.rows.size()) return;
  TFEED& feed = data_.rows[static_cast<size_t>(row)];
  if (command == IDM_FEED_UNSUBSCRIBE) {
    Unsubscribe(row);
    return;
  }
  if (command == IDM_FEED_ENABLE) {
    feed.enable = !feed.enable;
  } else if (command >= IDM_FEED_SI_FIRST && command <= IDM_FEED_SI_LAST) {
    feed.interval = kIntervalChoices[command - IDM_FEED_SI_FIRST];
  } else if (command == IDM_FEED_CATE_DEFAULT) {
    feed.category = 0;
  } else if (command >= IDM_FEED_CATE_FIRST && command <= IDM_FEED_CATE_LAST) {
    const size_t k = command - IDM_FEED_CATE_FIRST;
    if (k >= categories_.items.size()) return;
    feed.category = categories_.items[k].id;
  } else {
    return;
  }
  ListView_RedrawItems(::GetDlgItem(GetSafeHwnd(), IDC_FEED_LIST), row, row);
  MarkModified();
}

void CPropFeedPage::Unsubscribe(int row) {
  const std::u16string name = data_.rows[static_cast<size_t>(row)].name;
  HWND self = GetSafeHwnd();
  const std::wstring question = FormatArgs(LoadResString(IDS_FEED_UNSUBSCRIBE_QUESTION), {ToWide(name)});
  const int answer = ::MessageBoxW(self, question.c_str(), LoadResString(IDS_CONFIRM).c_str(),
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
  if (answer != IDYES || !Alive(self)) return;
  const FeedResult result = manager_.store().DeleteFeed(name);
  if (result != FeedResult::kOk && result != FeedResult::kNotFound) return;
  // Rows may have moved while the question was up.
  auto it = std::find_if(data_.rows.begin(), data_.rows.end(), [&](const TFEED& r) { return r.name == name; });
  if (it == data_.rows.end()) return;
  data_.rows.erase(it);
  ShowRows();
  MarkModified();
}

bool CPropFeedPage::OnApply() {
  if (!modified_) return true;
  for (int mode = 0; mode <= 2; ++mode)
    if (::IsDlgButtonChecked(GetSafeHwnd(), IDC_FEED_MODE_NONE + mode) == BST_CHECKED) data_.mode = static_cast<uint32_t>(mode);
  HWND combo = ::GetDlgItem(GetSafeHwnd(), IDC_FEED_CATEGORY);
  const LRESULT selected = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR) data_.defaultCategory = static_cast<uint32_t>(::SendMessageW(combo, CB_GETITEMDATA, selected, 0));
  {
    const auto key = settings_.OpenSettingsKey();
    // Rows that could not be listed say nothing about the configured feeds.
    WriteFeedSettings(key.get(), SettingsFromPage(data_), data_.listed);
  }
  manager_.Start();
  if (data_.mode == kFeedModeAll || data_.mode == kFeedModeConfigured) ApplyFeedSync(manager_.store(), data_.rows);
  modified_ = false;
  applied_ = true;
  return true;
}

}  // namespace zavra
