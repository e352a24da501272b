#pragma once
// CFeedManager turns the unread items of the feeds that qualify into popup notes and marks them
// read, at start-up, after the feed page applied, and whenever the feed store reports a
// finished download or a feed renamed from the subscription helper's temporary name.
#include <cstdint>
#include <string>

#include "feeds/FeedSettings.h"
#include "feeds/FeedStore.h"
#include "store/Category.h"
#include "store/Registry.h"

namespace zavra {

// What the manager needs from the main program.
class IFeedNoteHost {
 public:
  // Saves a new note with the category's defaults (category 1 when it does not exist) and pops
  // it up, or holds it while pop-ups are held; false when the note could not be saved.
  virtual bool NewFeedNote(const std::u16string& text, const std::u16string& link, uint32_t category) = 0;
  // The tray balloon that announces a feed the subscription helper added.
  virtual void ShowNewFeedBalloon(const std::u16string& feedName) = 0;
  virtual CategoryList FeedCategories() = 0;

 protected:
  ~IFeedNoteHost() = default;
};

class CFeedManager : public IFeedEvents {
 public:
  CFeedManager(IFeedStore& store, IRegistry& registry, IFeedNoteHost& host);
  CFeedManager(const CFeedManager&) = delete;
  CFeedManager& operator=(const CFeedManager&) = delete;
  ~CFeedManager();

  // Reads the settings and, unless feeds deliver nothing, processes every feed that qualifies
  // and connects to the store's events (once; the connection stays for the manager's life).
  void Start();

  IFeedStore& store() { return store_; }
  IRegistry& registry() { return registry_; }
  CategoryList Categories() { return host_.FeedCategories(); }
  const FeedSettings& settings() const { return settings_; }
  bool connected() const { return connected_; }

  // IFeedEvents
  void OnFeedDownloadCompleted(const std::u16string& name, int32_t error) override;
  void OnFeedRenamed(const std::u16string& name, const std::u16string& oldName) override;

 private:
  void ProcessFeed(const std::u16string& name, uint32_t category);

  IFeedStore& store_;
  IRegistry& registry_;
  IFeedNoteHost& host_;
  FeedSettings settings_;
  bool connected_ = false;
};

}  // namespace zavra
