#include "app/Settings.h"
#include <algorithm>

namespace zavra {

namespace {

// Saved lists are small; anything larger is damage and is ignored.
constexpr size_t kMaxListBytes = 1 << 20;

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void ReadDword(IRegistryKey& key, const char16_t* name, uint32_t& value) {
  if (auto v = key.GetDword(name)) value = *v;
}
void ReadBool(IRegistryKey& key, const char16_t* name, bool& value) {
  if (auto v = key.GetDword(name)) value = *v != 0;
}
// A fixed-size binary value; longer or shorter counts as missing.
std::optional<std::vector<uint8_t>> ReadExact(IRegistryKey& key, const char16_t* name, size_t size) {
  auto v = key.GetBinary(name, size);
  if (!v || v->size() != size) return std::nullopt;
  return v;
}
std::vector<uint8_t> ReadList(IRegistryKey& key, const char16_t* name) {
  return key.GetBinary(name, kMaxListBytes).value_or(std::vector<uint8_t>{});
}

void WriteList(IRegistryKey& key, const char16_t* name, const std::vector<uint8_t>& bytes) {
  if (bytes.empty())
    key.DeleteValue(name);
  else
    key.SetBinary(name, bytes);
}

}  // namespace

RECT32 DefaultTrackRect(const RECT32& w, uint32_t dpi) {
  const DpiScale px(dpi);
  return {w.right - px(195), (w.top + w.bottom) / 2 + px(30), w.right - px(20), w.bottom - px(32)};
}

void LoadSettings(IRegistryKey* key, const RECT32& workArea, Settings& s, SavedState& state, uint32_t dpi) {
  s = Settings{};
  s.noteWidth = ScaleToDpi(s.noteWidth, dpi);
  s.noteHeight = ScaleToDpi(s.noteHeight, dpi);
  s.trackRect = DefaultTrackRect(workArea, dpi);
  state = SavedState{};
  if (!key) return;

  if (auto v = ReadExact(*key, u"NoteSize", 8)) {
    s.noteWidth = static_cast<int32_t>(U32(v->data()));
    s.noteHeight = static_cast<int32_t>(U32(v->data() + 4));
  }
  if (auto v = ReadExact(*key, u"NotePos2", 8)) {
    s.notePosX = static_cast<int32_t>(U32(v->data()));
    s.notePosY = static_cast<int32_t>(U32(v->data() + 4));
  }
  ReadDword(*key, u"NoteOpacity", s.noteOpacity);
  ReadDword(*key, u"NoteMargin", s.noteMargin);
  ReadDword(*key, u"NoteAlign", s.noteAlign);
  ReadBool(*key, u"NoteSnap", s.noteSnap);
  ReadDword(*key, u"NoteGap", s.noteGap);
  ReadDword(*key, u"TrackGap", s.trackGap);
  ReadDword(*key, u"NotePreopen1", s.preopen1);
  ReadDword(*key, u"NotePreopen2", s.preopen2);
  ReadBool(*key, u"NoteAlarmAni", s.alarmAnimation);
  if (auto v = ReadExact(*key, u"TrackRect", 16)) {
    const uint8_t* p = v->data();
    s.trackRect = {static_cast<int32_t>(U32(p)), static_cast<int32_t>(U32(p + 4)), static_cast<int32_t>(U32(p + 8)),
                   static_cast<int32_t>(U32(p + 12))};
  }
  ReadDword(*key, u"NiconDefault", s.trayDefault);
  if (auto days = key->GetDword(u"NoteAutoDel2")) {
    s.autoDeleteDays = *days;
  } else if (auto months = key->GetDword(u"NoteAutoDel")) {
    // The older setting counted months of 30 days.
    s.autoDeleteDays = *months > UINT32_MAX / 30 ? UINT32_MAX : *months * 30;
  }
  ReadBool(*key, u"ClearType", s.clearType);
  ReadBool(*key, u"NoteShadow", s.noteShadow);
  ReadBool(*key, u"NoteOnTop", s.noteOnTop);
  ReadBool(*key, u"TrackOnTop", s.trackOnTop);
  ReadBool(*key, u"Hold", s.hold);
  ReadBool(*key, u"HoldFs", s.holdFullScreen);
  ReadDword(*key, u"BookmarkAuto", s.recentCount);

  if (auto closed = key->GetQword(u"TimeClosed")) {
    state.timeClosed = static_cast<int64_t>(*closed);
    key->DeleteValue(u"TimeClosed");
  }
  const auto open = ReadList(*key, u"OpenNotes2");
  for (size_t i = 0; i + 8 <= open.size(); i += 8) state.openNotes.push_back({U32(&open[i]), U32(&open[i + 4])});
  const auto tracks = ReadList(*key, u"Tracklist");
  for (size_t i = 0; i + 8 <= tracks.size(); i += 8) state.trackers.push_back({U32(&tracks[i]), U32(&tracks[i + 4])});
  const auto held = ReadList(*key, u"HeldNotes");
  for (size_t i = 0; i + 4 <= held.size(); i += 4) state.held.push_back(U32(&held[i]));
  const auto recent = ReadList(*key, u"MRUN");
  for (size_t i = 0; i + 4 <= recent.size(); i += 4) state.recent.push_back(U32(&recent[i]));
  const auto reopens = ReadList(*key, u"Reopens");
  for (size_t i = 0; i + 16 <= reopens.size(); i += 16) {
    const uint64_t t = U32(&reopens[i + 8]) | static_cast<uint64_t>(U32(&reopens[i + 12])) << 32;
    state.reopens.push_back({U32(&reopens[i]), U32(&reopens[i + 4]), static_cast<int64_t>(t)});
  }
}

void WriteExitGroup(IRegistryKey* key, const Settings& s, int64_t now) {
  if (!key) return;
  key->SetDword(u"NoteOnTop", s.noteOnTop);
  key->SetDword(u"TrackOnTop", s.trackOnTop);
  key->SetDword(u"Hold", s.hold);
  key->SetQword(u"TimeClosed", static_cast<uint64_t>(now + 1));
}

void WriteNotePageGroup(IRegistryKey* key, const Settings& s) {
  if (!key) return;
  key->SetDword(u"NoteOpacity", s.noteOpacity);
  key->SetDword(u"NoteMargin", s.noteMargin);
  key->SetDword(u"NoteAlign", s.noteAlign);
  key->SetDword(u"NoteSnap", s.noteSnap);
  key->SetDword(u"NoteGap", s.noteGap);
  key->SetDword(u"TrackGap", s.trackGap);
  key->SetDword(u"NotePreopen1", s.preopen1);
  key->SetDword(u"NotePreopen2", s.preopen2);
  key->SetDword(u"NoteAlarmAni", s.alarmAnimation);
  std::vector<uint8_t> rect;
  for (int32_t v : {s.trackRect.left, s.trackRect.top, s.trackRect.right, s.trackRect.bottom})
    PutU32(rect, static_cast<uint32_t>(v));
  key->SetBinary(u"TrackRect", rect);
}

void WriteSizeAndPositionGroup(IRegistryKey* key, const Settings& s) {
  if (!key) return;
  std::vector<uint8_t> size, pos;
  PutU32(size, static_cast<uint32_t>(s.noteWidth));
  PutU32(size, static_cast<uint32_t>(s.noteHeight));
  PutU32(pos, static_cast<uint32_t>(s.notePosX));
  PutU32(pos, static_cast<uint32_t>(s.notePosY));
  key->SetBinary(u"NoteSize", size);
  key->SetBinary(u"NotePos2", pos);
}

void WriteMiscGroup(IRegistryKey* key, const Settings& s) {
  if (!key) return;
  key->SetDword(u"NiconDefault", s.trayDefault);
  key->SetDword(u"BookmarkAuto", s.recentCount);
  key->SetDword(u"NoteAutoDel2", s.autoDeleteDays);
  key->SetDword(u"HoldFs", s.holdFullScreen);
  key->SetDword(u"ClearType", s.clearType);
  key->SetDword(u"NoteShadow", s.noteShadow);
}

void WriteStateLists(IRegistryKey* key, const SavedState& state, uint32_t marks) {
  if (!key) return;
  std::vector<uint8_t> b;
  if (marks & kMarkReopens) {
    b.clear();
    for (const auto& r : state.reopens) {
      PutU32(b, r.id);
      PutU32(b, r.reserved);
      PutU32(b, static_cast<uint32_t>(static_cast<uint64_t>(r.time)));
      PutU32(b, static_cast<uint32_t>(static_cast<uint64_t>(r.time) >> 32));
    }
    WriteList(*key, u"Reopens", b);
  }
  if (marks & kMarkOpenNotes) {
    b.clear();
    for (const auto& o : state.openNotes) {
      if (o.id == 0) continue;
      PutU32(b, o.id);
      PutU32(b, o.exStyle);
    }
    WriteList(*key, u"OpenNotes2", b);
  }
  if (marks & kMarkHeld) {
    b.clear();
    for (uint32_t id : state.held) PutU32(b, id);
    WriteList(*key, u"HeldNotes", b);
  }
  if (marks & kMarkRecent) {
    b.clear();
    for (uint32_t id : state.recent) PutU32(b, id);
    WriteList(*key, u"MRUN", b);
  }
  if (marks & kMarkTrackers) {
    b.clear();
    for (const auto& t : state.trackers) {
      if (t.id == 0) continue;
      PutU32(b, t.id);
      PutU32(b, t.alarm);
    }
    WriteList(*key, u"Tracklist", b);
  }
}

}  // namespace zavra
