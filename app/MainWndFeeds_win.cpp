// The main window's side of the feeds: the user's feed store beside the notes, the feed
// manager, and the notes and the balloon the manager asks for.
#include "app/MainWnd_win.h"
#include "feeds/FeedManager.h"
#include "feeds/LocalFeedStore_win.h"
#include "framework/Strings.h"
#include "framework/Text.h"
#include "resources/notezavra_res.h"
#include "store/Scatter.h"

namespace zavra {

class MainWndFeeds : private IFeedNoteHost {
 public:
  MainWndFeeds(CMainWnd& main, IRegistry& registry, std::u16string folder)
      : main_(main), store_(std::move(folder)), manager_(store_, registry, *this) {}

  CFeedManager& manager() { return manager_; }
  // Before the main window goes: no event may reach it afterwards.
  void Stop() { store_.Stop(); }

 private:
  bool NewFeedNote(const std::u16string& text, const std::u16string& link, uint32_t category) override {
    return main_.NewFeedNote(text, link, category);
  }
  void ShowNewFeedBalloon(const std::u16string& feedName) override { main_.ShowNewFeedBalloon(feedName); }
  CategoryList FeedCategories() override { return main_.store().LoadCategoryList(); }

  CMainWnd& main_;
  LocalFeedStore store_;
  CFeedManager manager_;
};

void CMainWnd::StartFeeds() {
  if (!feeds_) feeds_ = std::make_shared<MainWndFeeds>(*this, *env_.registry, FeedFolderFor(env_.folders.data));
  feeds_->manager().Start();
}

void CMainWnd::StopFeeds() {
  if (!feeds_) return;
  feeds_->Stop();
  feeds_.reset();
}

CFeedManager* CMainWnd::feedManager() const { return feeds_ ? &feeds_->manager() : nullptr; }

bool CMainWnd::NewFeedNote(const std::u16string& text, const std::u16string& link, uint32_t category) {
  NOTE_PAD note;
  const CategoryList categories = store_->LoadCategoryList();
  note.category = category <= 0xFFFF && categories.Find(category) ? static_cast<uint16_t>(category) : uint16_t{1};
  note.text = text;
  note.link = link;
  note.rect = PlaceNewNote(Placement());
  if (!store_->SaveNote(note)) return false;
  OpenNoteWindow(note, kOpenFeed, -1);
  return true;
}

void CMainWnd::ShowNewFeedBalloon(const std::u16string& feedName) {
  ShowTrayBalloon(LoadResString(IDS_NEW_FEED), ToWide(feedName));
}

}  // namespace zavra
