// The note window's context menu and its commands.
#include "notewnd/NoteWnd_win.h"

#include "app/MenuModel.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "store/Clipboard_win.h"

namespace zavra {

namespace {

enum NoteCommand : UINT {
  kCmdLaunchLink = 32775,
  kCmdDuplicate = 32776,
  kCmdEdit = 32777,
  kCmdDelete = 32778,
  kCmdClose = 32779,
  kCmdAlwaysOnTop = 32805,
  kCmdSaveSizePos = 32852,
  kCmdPadOnCategory = 32849,
  kCmdTrack = 32850,
  kCmdNewNoteHere = 32773,
  kCmdNewNoteDefault = 57600,
  kCmdCopy = 57634,
  kCmdSaveCopyAs = 57611,
  kCmdSkin = 32886,
  kCmdReopenFirst = 32874,
  kCmdReopenLast = 32880,
  kCmdReopenCustom = 32882,
  kCmdCopyLink = 32848,
};
constexpr int kReopenMinutes[] = {5, 10, 30, 60, 120, 240, 1440};
constexpr int kNoteSubmenu = 0;
constexpr int kLinkSubmenu = 4;

std::wstring MenuText(HMENU menu, UINT id) {
  wchar_t buf[256] = {};
  ::GetMenuStringW(menu, id, buf, 256, MF_BYCOMMAND);
  return buf;
}

}  // namespace

void CNoteWnd::ShowContextMenu(POINT client) {
  MenuHandle root(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kNoteMenu)));
  if (!root) return;
  HMENU menu = nullptr;
  // The link's own menu whether or not its icon could be made.
  if (!note_.link.empty() && OnLinkBox(client)) {
    menu = ::GetSubMenu(root.get(), kLinkSubmenu);
    if (menu) ::SetMenuDefaultItem(menu, kCmdLaunchLink, FALSE);
  } else {
    menu = ::GetSubMenu(root.get(), kNoteSubmenu);
  }
  if (!menu) return;
  if (menu == ::GetSubMenu(root.get(), kNoteSubmenu)) {
    // "Reopen After" lives on other surfaces; DeleteMenu frees the submenu with it.
    ::DeleteMenu(menu, ::GetMenuItemCount(menu) - 2, MF_BYPOSITION);
    ::EnableMenuItem(menu, kCmdLaunchLink, MF_BYCOMMAND | (note_.link.empty() ? MF_GRAYED : MF_ENABLED));
    ::SetMenuDefaultItem(menu, kCmdEdit, FALSE);
    ::EnableMenuItem(menu, kCmdOpenCalendar,
                     MF_BYCOMMAND | ((note_.flags & kNoteOnCalendar) ? MF_ENABLED : MF_GRAYED));
    ::CheckMenuItem(menu, kCmdAlwaysOnTop, MF_BYCOMMAND | (topmost() ? MF_CHECKED : MF_UNCHECKED));
    const UINT cosmetics = (note_.flags & kNoteOwnCosmetics) ? MF_ENABLED : MF_GRAYED;
    ::EnableMenuItem(menu, kCmdLoadDefault, MF_BYCOMMAND | cosmetics);
    ::EnableMenuItem(menu, kCmdSaveAsDefault, MF_BYCOMMAND | cosmetics);
    const std::wstring suffix = L" (" + ToWide(categoryName_) + L")";
    const std::wstring pad = MenuText(menu, kCmdOpenPad) + suffix;
    ::InsertMenuW(menu, kCmdOpenCalendar, MF_BYCOMMAND | MF_STRING, kCmdPadOnCategory, pad.c_str());
    const std::wstring newNote = MenuText(menu, kCmdNewNoteHere) + suffix;
    ::ModifyMenuW(menu, kCmdNewNoteHere, MF_BYCOMMAND | MF_STRING, kCmdNewNoteHere, newNote.c_str());
  }
  POINT screen = client;
  ::ClientToScreen(*this, &screen);
  ::SetForegroundWindow(*this);
  trackedMenu_ = menu;
  const HWND self = *this;
  const LifeCheck life(*this);
  const UINT command = ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, self, nullptr);
  ::PostMessageW(self, WM_NULL, 0, 0);
  // The note may have been deleted from another window while its menu was up.
  if (!life.Exists()) return;
  trackedMenu_ = nullptr;
  if (command && life.Survived()) OnCommand(command, 0, nullptr);
}

// Commands that show a dialog or may run a modal loop hand the host a copy of the note and
// touch nothing of this window afterwards unless it survived.
bool CNoteWnd::OnCommand(UINT id, UINT code, HWND control) {
  if (id >= kCmdReopenFirst && id <= kCmdReopenLast) {
    Reopen(kReopenMinutes[id - kCmdReopenFirst]);
    return true;
  }
  switch (id) {
    case kCmdLaunchLink:
      host_.LaunchLink(NOTE_PAD(note_));
      return true;
    case kCmdTrack:
      host_.TrackNote(note_);
      return true;
    case kCmdCopy:
      host_.CopyNote(note_, kCopyText | kCopyNoteId);
      return true;
    case kCmdCopyLink:
      host_.CopyNote(note_, kCopyLink);
      return true;
    case kCmdEdit:
      if (transient())
        host_.LaunchLink(NOTE_PAD(note_));
      else
        host_.EditNote(NOTE_PAD(note_), *this);
      return true;
    case kCmdAlwaysOnTop:
      if (transient()) return true;
      ::SetWindowPos(*this, topmost() ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      host_.NotesOnTopChanged();
      return true;
    case kCmdTextFont:
    case kCmdTextColor:
    case kCmdPaperColor:
    case kCmdLoadDefault:
    case kCmdSaveAsDefault:
      host_.CosmeticsCommand(id, NOTE_PAD(note_), *this);
      return true;
    case kCmdSkin: {
      const LifeCheck life(*this);
      const std::optional<SkinChoice> choice = host_.ChooseSkin(NOTE_PAD(note_), *this);
      // The note may have been deleted, or the program ended, while the chooser was up.
      if (!choice || !life.Survived()) return true;
      NOTE_PAD copy = note_;
      if (choice->inherit) {
        copy.flags &= ~kNoteOwnSkin;
        copy.skin.clear();
      } else {
        // An empty title is "(None)": the built-in skin, whatever the category's.
        copy.flags |= kNoteOwnSkin;
        copy.skin = choice->title;
      }
      if (transient()) {
        LoadRecord(copy);
        Render();
      } else {
        SaveRecord(copy);
      }
      return true;
    }
    case kCmdSaveSizePos: {
      const RECT r = PaperScreenRect();
      host_.SaveDefaultSizeAndPos(r.right - r.left, r.bottom - r.top, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
      return true;
    }
    case kCmdDuplicate:
      host_.DuplicateNote(NOTE_PAD(note_));
      return true;
    case kCmdSaveCopyAs:
      host_.SaveCopyAs(NOTE_PAD(note_), *this);
      return true;
    case kCmdDelete: {
      if (transient()) return true;
      const LifeCheck life(*this);
      if (host_.DeleteNote(NOTE_PAD(note_), *this) && life.Survived()) {
        closingWithoutSaving_ = true;
        DestroyWindow();
      }
      return true;
    }
    case kCmdOpenPad:
      host_.OpenPad(-1);
      return true;
    case kCmdPadOnCategory:
      host_.OpenPad(note_.category);
      return true;
    case kCmdOpenCalendar:
      host_.OpenCalendarAt(header_.occurrence());
      return true;
    case kCmdNewNoteHere:
      host_.NewNoteIn(note_.category);
      return true;
    case kCmdNewNoteDefault:
      host_.NewNoteIn(-1);
      return true;
    case kCmdReopenCustom: {
      const LifeCheck life(*this);
      const int minutes = host_.ChooseReopenMinutes(*this);
      if (life.Survived()) Reopen(minutes);
      return true;
    }
    case kCmdClose:
      Close();
      return true;
    default:
      return false;
  }
}

}  // namespace zavra
