// "note:" links, registry icon locations and the parts of a dropped file's path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/NoteLink.h"

namespace zavra {
namespace {

std::string Narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

TEST(NoteLink, Ids) {
  struct Case {
    std::u16string link;
    bool isNote;
    uint32_t id;
  };
  const Case cases[] = {
      {u"note:42", true, 42},
      {u"note:42abc", true, 42},       // read up to the first non-digit
      {u"note:0", true, 0},
      {u"note:abc", true, 0},
      {u"note:", true, 0},
      {u"note:4294967295", true, 4294967295u},
      {u"note:4294967296", true, 0},   // too large: no note rather than note 0 by wrapping
      {u"note:99999999999999999999999", true, 0},
      {u"Note:42", false, 0},          // exact case
      {u"note 42", false, 0},
      {u"notes:42", false, 0},
      {u"http://note:42", false, 0},
      {u"", false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsNoteLink(c.link), c.isNote) << Narrow(c.link);
    EXPECT_EQ(NoteLinkId(c.link), c.id) << Narrow(c.link);
  }
  for (uint32_t id : {1u, 9u, 10u, 123456u, 4294967295u})
    EXPECT_EQ(NoteLinkId(MakeNoteLink(id)), id) << "round trip of " << id;
  EXPECT_EQ(MakeNoteLink(77), u"note:77");
}

TEST(NoteLink, OpenCallsOnlyForUsableIds) {
  std::vector<uint32_t> opened;
  const OpenNoteFn open = [&](uint32_t id) { opened.push_back(id); };
  EXPECT_TRUE(OpenNoteLink(u"note:12", open));
  EXPECT_TRUE(OpenNoteLink(u"note:0", open));
  EXPECT_TRUE(OpenNoteLink(u"note:abc", open));
  EXPECT_FALSE(OpenNoteLink(u"http://x/", open));
  EXPECT_FALSE(OpenNoteLink(u"C:\\note:1", open));
  EXPECT_TRUE(OpenNoteLink(u"note:5", nullptr)) << "no opener still names a note link";
  EXPECT_EQ(opened, std::vector<uint32_t>{12});
}

TEST(NoteLink, IconLocations) {
  struct Case {
    std::u16string value;
    std::string file;
    int index;
  };
  const Case cases[] = {
      {u"%SystemRoot%\\system32\\url.dll,0", "%SystemRoot%\\system32\\url.dll", 0},
      {u"\"C:\\Program Files\\App\\app.exe\",1", "C:\\Program Files\\App\\app.exe", 1},
      {u"  \"C:\\a,b\\x.exe\" , -153", "C:\\a,b\\x.exe", -153},  // the last comma splits
      {u"C:\\x.ico", "C:\\x.ico", 0},
      {u"x.dll,7abc", "x.dll", 7},
      {u"x.dll,abc", "x.dll", 0},
      {u"x.dll,99999999999", "x.dll", 2147483647},
      {u"x.dll,-99999999999", "x.dll", -2147483647 - 1},
      {u"\"\",3", "", 3},
      {u"", "", 0},
  };
  for (const Case& c : cases) {
    const IconLocation l = ParseIconLocation(c.value);
    EXPECT_EQ(Narrow(l.file), c.file) << Narrow(c.value);
    EXPECT_EQ(l.index, c.index) << Narrow(c.value);
  }
}

TEST(NoteLink, FileTitleAndExtension) {
  EXPECT_EQ(FileTitleOf(u"C:\\Users\\me\\Report.docx"), u"Report");
  EXPECT_EQ(FileTitleOf(u"C:\\dir.v2\\README"), u"README") << "a point in a folder is no extension";
  EXPECT_EQ(FileTitleOf(u"archive.tar.gz"), u"archive.tar");
  EXPECT_EQ(FileTitleOf(u"C:\\folder\\"), u"");
  EXPECT_TRUE(HasExtension(u"C:\\Links\\Site.URL", u".url"));
  EXPECT_TRUE(HasExtension(u"site.url", u".url"));
  EXPECT_FALSE(HasExtension(u"site.urls", u".url"));
  EXPECT_FALSE(HasExtension(u"url", u".url"));
}

}  // namespace
}  // namespace zavra
