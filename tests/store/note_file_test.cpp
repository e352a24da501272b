#include <gtest/gtest.h>

#include <cstring>

#include "store/NoteFile.h"
#include "tests/store/StoreTestSupport.h"

namespace zavra {
namespace {

using test::Bytes;

Bytes Header(uint8_t low = 1, uint8_t high = 0) { return Bytes{'Q', 'N', 'F', low, high}; }

Bytes FixedBytes(const NOTE_PAD_FIXED& fixed) {
  const auto* p = reinterpret_cast<const uint8_t*>(&fixed);
  return Bytes(p, p + sizeof fixed);
}

Bytes HandMadeNote(const NOTE_PAD_FIXED& fixed) {
  Bytes b = Header();
  const Bytes f = FixedBytes(fixed);
  b.insert(b.end(), f.begin(), f.end());
  return b;
}

int Parse(const Bytes& b, NOTE_PAD& note, const NoteFilter* filter = nullptr) {
  return ParseNoteFile(b.data(), b.size(), note, filter);
}

NOTE_PAD EveryFieldSet() {
  NOTE_PAD n;
  n.id = 0xFEDCBA98;
  n.flags = kNoteScheduled | kNoteOpenEnded | kNoteOwnFont | kNoteOwnSkin | 0x80000000u;
  n.category = 0xBEEF;
  n.created = -1234567890123LL;
  n.start = 1767225600;
  n.end = 0x7FFFFFFFFFFFFFF0LL;
  n.timeFrom = 3600 * 7 + 15;
  n.timeTo = -5;
  n.repeatKind = kRepeatMonthlyByWeekday;
  n.repeatInterval = 200;
  n.repeatParam = 0xA5A5;
  n.reserved2 = 0x1234;
  n.icon = 77;
  n.paperColor = 0x00C0FFEE;
  n.textColor = 0x01020304;
  n.rect = {-100, -200, 300, 400};
  n.font.lfHeight = -13;
  n.font.lfWeight = 700;
  n.font.lfItalic = 1;
  n.font.lfCharSet = 204;
  std::memcpy(n.font.lfFaceName, u"Tahoma", 7 * sizeof(char16_t));
  n.text = u"Line one\r\nLine \U0001F600 two\ttab";
  n.link = u"note:42";
  n.sound = u"C:\\Sounds\\\u00E9t\u00E9.wav";
  n.skin = u"Glass \U00010348";
  n.excludes = {DateKey(2026, 1, 1), DateKey(2026, 12, 31), 0xFFFFFFFFu};
  return n;
}

void ExpectSameNote(const NOTE_PAD& a, const NOTE_PAD& b) {
  EXPECT_EQ(0, std::memcmp(static_cast<const NOTE_PAD_FIXED*>(&a), static_cast<const NOTE_PAD_FIXED*>(&b),
                           sizeof(NOTE_PAD_FIXED)))
      << "fixed part differs";
  EXPECT_EQ(a.text, b.text);
  EXPECT_EQ(a.link, b.link);
  EXPECT_EQ(a.sound, b.sound);
  EXPECT_EQ(a.skin, b.skin);
  EXPECT_EQ(a.excludes, b.excludes);
}

// Tags of the records after the fixed part, in file order.
std::vector<uint16_t> TagsOf(const Bytes& b) {
  std::vector<uint16_t> tags;
  for (size_t at = kNoteHeadSize; at + 8 <= b.size();) {
    tags.push_back(static_cast<uint16_t>(b[at] | b[at + 1] << 8));
    const uint32_t len = b[at + 4] | b[at + 5] << 8 | b[at + 6] << 16 | static_cast<uint32_t>(b[at + 7]) << 24;
    at += 8 + len;
  }
  return tags;
}

TEST(NoteFile, EveryFieldAndTagSurvivesWriteAndRead) {
  const NOTE_PAD original = EveryFieldSet();
  Bytes bytes;
  ASSERT_TRUE(SerializeNote(original, bytes));
  EXPECT_EQ(TagsOf(bytes), (std::vector<uint16_t>{1, 2, 4, 5, 3})) << "writer order";
  NOTE_PAD read;
  ASSERT_EQ(Parse(bytes, read), kFileOk);
  ExpectSameNote(original, read);
}

TEST(NoteFile, LargeTextsRoundTrip) {
  NOTE_PAD note;
  for (size_t i = 0; note.text.size() < 64 * 1024; ++i)
    note.text += (i % 7 == 0) ? std::u16string(u"\U0010FFFF") : std::u16string(1, static_cast<char16_t>(0x20 + i % 0xD000));
  note.link = std::u16string(70000, u'x');
  Bytes bytes;
  ASSERT_TRUE(SerializeNote(note, bytes));
  NOTE_PAD read;
  ASSERT_EQ(Parse(bytes, read), kFileOk);
  EXPECT_EQ(read.text, note.text);
  EXPECT_EQ(read.link.size(), 70000u);
}

TEST(NoteFile, EmptyUnscheduledNoteIsExactly181Bytes) {
  NOTE_PAD note;
  note.excludes = {DateKey(2026, 5, 5)};  // never written without a schedule
  Bytes bytes;
  ASSERT_TRUE(SerializeNote(note, bytes));
  EXPECT_EQ(bytes.size(), 181u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 5), Header());
}

TEST(NoteFile, ExclusionsAreWrittenOnlyForScheduledNotesWithDates) {
  struct Case { uint32_t flags; std::vector<uint32_t> excludes; bool hasTag3; };
  const Case cases[] = {
      {kNoteScheduled, {}, false},
      {0, {DateKey(2026, 1, 2)}, false},
      {kNoteScheduled, {DateKey(2026, 1, 2)}, true},
  };
  for (const Case& c : cases) {
    NOTE_PAD note;
    note.flags = c.flags;
    note.excludes = c.excludes;
    Bytes bytes;
    ASSERT_TRUE(SerializeNote(note, bytes));
    const auto tags = TagsOf(bytes);
    EXPECT_EQ(std::count(tags.begin(), tags.end(), 3) == 1, c.hasTag3)
        << "flags " << c.flags << " with " << c.excludes.size() << " dates";
  }
}

TEST(NoteFile, EmptyStringsAreNotWritten) {
  NOTE_PAD note;
  note.link = u"x";
  Bytes bytes;
  ASSERT_TRUE(SerializeNote(note, bytes));
  EXPECT_EQ(TagsOf(bytes), std::vector<uint16_t>{2});
  EXPECT_EQ(bytes.size(), 181u + 8 + 2);
}

TEST(NoteFile, HeaderChecksGiveTheDefinedCodes) {
  const NOTE_PAD_FIXED fixed;
  struct Case { const char* what; Bytes bytes; int expected; };
  Bytes version0201 = HandMadeNote(fixed);
  version0201[4] = 2;
  Bytes version2 = HandMadeNote(fixed);
  version2[3] = 2;
  const Bytes whole = HandMadeNote(fixed);
  const Bytes oneShort(whole.begin(), whole.end() - 1);
  Bytes wrongMagic = HandMadeNote(fixed);
  wrongMagic[2] = 'C';
  const Case cases[] = {
      {"empty file", {}, kFileTruncated},
      {"magic only", {'Q', 'N', 'F'}, kFileTruncated},
      {"foreign short file", {'M', 'Z'}, kFileForeign},
      {"version 0x0201", version0201, kFileForeign},
      {"version 2", version2, kFileForeign},
      {"wrong magic", wrongMagic, kFileForeign},
      {"header without fixed part", Header(), kFileTruncated},
      {"fixed part one short", oneShort, kFileTruncated},
      {"fixed part exactly", whole, kFileOk},
  };
  for (const Case& c : cases) {
    NOTE_PAD note;
    EXPECT_EQ(Parse(c.bytes, note), c.expected) << c.what;
  }
}

TEST(NoteFile, RecordBoundariesDecideTruncation) {
  Bytes whole = HandMadeNote(NOTE_PAD_FIXED{});
  test::PutRecord(whole, kTagText, test::Utf16Bytes(u"hello"));
  NOTE_PAD note;
  ASSERT_EQ(Parse(whole, note), kFileOk) << "file ends exactly after a record";
  EXPECT_EQ(note.text, u"hello");
  for (size_t cut = kNoteHeadSize + 1; cut < whole.size(); ++cut) {
    const Bytes part(whole.begin(), whole.begin() + static_cast<long>(cut));
    EXPECT_EQ(Parse(part, note), kFileTruncated) << "cut after " << cut << " of " << whole.size() << " bytes";
  }
}

TEST(NoteFile, ReaderSkipsUnknownAndEmptyRecordsAndAcceptsAnyOrder) {
  Bytes b = HandMadeNote(NOTE_PAD_FIXED{});
  test::PutRecord(b, 3, {1, 0, 0, 0, 2, 0, 0, 0, 9});  // 9 bytes: two keys and a stray byte
  test::PutRecord(b, 99, {1, 2, 3, 4, 5});
  test::PutRecord(b, kTagText, {});
  test::PutRecord(b, kTagSkin, test::Utf16Bytes(u"skin"), 0xFFFF);
  Bytes odd = test::Utf16Bytes(u"ab");
  odd.push_back('c');
  test::PutRecord(b, kTagLink, odd);
  test::PutRecord(b, kTagText, test::Utf16Bytes(u"last wins"));
  NOTE_PAD note;
  ASSERT_EQ(Parse(b, note), kFileOk);
  EXPECT_EQ(note.excludes, (std::vector<uint32_t>{1, 2}));
  EXPECT_EQ(note.skin, u"skin");
  EXPECT_EQ(note.link, u"ab") << "odd length reads length/2 characters";
  EXPECT_EQ(note.text, u"last wins");
}

NOTE_PAD_FIXED Scheduled(int64_t start, int64_t end, int32_t time, uint32_t extraFlags, uint8_t kind) {
  NOTE_PAD_FIXED n;
  n.flags = kNoteScheduled | extraFlags;
  n.start = start;
  n.end = end;
  n.timeFrom = time;
  n.repeatKind = kind;
  return n;
}

TEST(NoteFile, OverlapTestOfCreatedTimesAndHostileSchedules) {
  NOTE_PAD_FIXED unscheduled;
  unscheduled.created = 500;
  struct Case { const char* what; NOTE_PAD_FIXED note; int64_t from, to; bool overlaps; };
  const Case cases[] = {
      {"created inside", unscheduled, 100, 1000, true},
      {"created at start", unscheduled, 500, 1000, true},
      {"created at end", unscheduled, 100, 500, true},
      {"created before", unscheduled, 501, 1000, false},
      {"created after", unscheduled, 100, 499, false},
      // Scheduled notes follow the schedule's own rule (tests/schedule); values no editor writes
      // stay within the times it can represent.
      {"huge values saturate", Scheduled(INT64_MAX, INT64_MAX, INT32_MAX, 0, 30), INT64_MIN, INT64_MAX, true},
      {"tiny values saturate", Scheduled(INT64_MIN, INT64_MIN, INT32_MIN, 0, 30), INT64_MIN, 0, true},
  };
  for (const Case& c : cases) EXPECT_EQ(NoteOverlaps(c.note, c.from, c.to), c.overlaps) << c.what;
}

TEST(NoteFile, FilterRejectsWithoutReadingTheVariablePart) {
  NOTE_PAD note = EveryFieldSet();
  Bytes bytes;
  ASSERT_TRUE(SerializeNote(note, bytes));
  // A damaged variable part does not matter to a rejected note.
  bytes.resize(bytes.size() - 3);
  struct Case { const char* what; NoteFilter filter; int expected; };
  NoteFilter flags{kNoteOnCalendar};
  NoteFilter category{0, 7};
  NoteFilter range{0, 0, true, 1, note.start - 2 * 86400};
  NoteFilter all{kNoteScheduled | kNoteOwnFont, 0xBEEF, true, 0, INT64_MAX};
  const Case cases[] = {
      {"missing flag", flags, kFileFiltered},
      {"other category", category, kFileFiltered},
      {"range before first occurrence", range, kFileFiltered},
      {"accepted, then truncated", all, kFileTruncated},
  };
  for (const Case& c : cases) {
    NOTE_PAD read;
    EXPECT_EQ(Parse(bytes, read, &c.filter), c.expected) << c.what;
    if (c.expected == kFileFiltered) {
      EXPECT_EQ(read.id, note.id) << c.what << ": the fixed part is still given";
      EXPECT_TRUE(read.text.empty()) << c.what;
    }
  }
}

}  // namespace
}  // namespace zavra
