// The note's text in the skin's text area: the schedule header, the body from the first
// visible line, centring, and scrolling one line at a time.
#include "notewnd/NoteWnd_win.h"

#include "skin/SkinRenderer_win.h"

namespace zavra {

namespace {

constexpr UINT kBodyFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_TABSTOP | DT_NOPREFIX | DT_EDITCONTROL;

// Draws (or measures) text the way the body is drawn.
void DrawBodyText(HDC dc, const wchar_t* text, int length, RECT& rect, UINT format) {
  DRAWTEXTPARAMS params{};
  params.cbSize = sizeof params;
  params.iTabLength = 2;
  if (length > 0) ::DrawTextExW(dc, const_cast<wchar_t*>(text), length, &rect, format, &params);
}

bool FitsOneLine(HDC dc, const wchar_t* text, int length, int width, int lineHeight, UINT format) {
  if (length <= 0) return true;
  RECT r{0, 0, width, 0};
  DrawBodyText(dc, text, length, r, (format & ~DT_CENTER) | DT_CALCRECT);
  return r.bottom - r.top <= lineHeight;
}

// The characters the first line takes, line break included. Worked out here rather than read
// from DRAWTEXTPARAMS.uiLengthDrawn, which Wine leaves at 0 when it draws and which leaves out
// the line breaks when it measures.
int FirstLineLength(HDC dc, const wchar_t* text, int length, int width, int lineHeight, UINT format) {
  int hard = 0;
  while (hard < length && text[hard] != L'\r' && text[hard] != L'\n') ++hard;
  if (FitsOneLine(dc, text, hard, width, lineHeight, format)) {
    int next = hard;
    if (next < length && text[next] == L'\r') ++next;
    if (next < length && text[next] == L'\n') ++next;
    return next;
  }
  int lo = 1, hi = hard - 1;  // the longest prefix that still fits on one line
  while (lo < hi) {
    const int mid = (lo + hi + 1) / 2;
    if (FitsOneLine(dc, text, mid, width, lineHeight, format))
      lo = mid;
    else
      hi = mid - 1;
  }
  int end = lo;
  if (text[end] == L' ' || text[end] == L'\t') {
    while (end < hard && (text[end] == L' ' || text[end] == L'\t')) ++end;
    return end;
  }
  for (int i = end - 1; i > 0; --i)
    if (text[i] == L' ' || text[i] == L'\t') return i + 1;
  return end;  // one word longer than the line is broken inside
}

}  // namespace

int CNoteWnd::CentringOffset(HDC dc, const RECT& area, UINT format) {
  const int align = static_cast<int>(host_.NoteSettings().noteAlign);
  if (align != 1) return 0;
  if (cachedAlign_ != align) {
    // Measured once per alignment change, off the visible area.
    RECT measure{area.left, -30000, area.right, -30000 + (area.bottom - area.top)};
    DrawBodyText(dc, reinterpret_cast<const wchar_t*>(note_.text.c_str()), static_cast<int>(note_.text.size()),
                 measure, format | DT_CALCRECT);
    const int height = measure.bottom - measure.top, available = area.bottom - area.top;
    centring_ = height > 0 && height < available ? (available - height) / 2 : 0;
    cachedAlign_ = align;
  }
  return centring_;
}

void CNoteWnd::DrawBody(HDC dc, RECT area) {
  if (area.bottom <= area.top || firstLine_ >= lineStarts_.size()) return;
  const bool centred = host_.NoteSettings().noteAlign == 1;
  const UINT format = kBodyFormat | (centred ? DT_CENTER : 0);
  SelectObjectScope font(dc, textFont_.get());
  ::SetTextColor(dc, VisibleColor(note_.textColor, layout().useColorKey));
  area.top += CentringOffset(dc, area, format);
  const size_t start = lineStarts_[firstLine_];
  if (start >= note_.text.size()) return;
  const wchar_t* text = reinterpret_cast<const wchar_t*>(note_.text.c_str()) + start;
  const int length = static_cast<int>(note_.text.size() - start);
  if (firstLine_ + 1 < lineStarts_.size()) {
    DrawBodyText(dc, text, length, area, format);
    return;
  }
  // The next line's start is not known yet: the first line alone tells it.
  RECT band{area.left, area.top, area.right, area.top + textLine_};
  if (band.bottom > area.bottom) band.bottom = area.bottom;
  const int consumed = FirstLineLength(dc, text, length, area.right - area.left, textLine_, format);
  if (consumed <= 0) return;
  // Trailing blanks and the line break would pull a centred line to the left.
  int visible = consumed;
  while (visible > 0 && (text[visible - 1] == L' ' || text[visible - 1] == L'\t' || text[visible - 1] == L'\r' ||
                         text[visible - 1] == L'\n'))
    --visible;
  DrawBodyText(dc, text, visible, band, format);
  lineStarts_.push_back(start + static_cast<size_t>(consumed));
  RECT rest{area.left, area.top + textLine_, area.right, area.bottom};
  if (rest.bottom > rest.top && consumed < length) DrawBodyText(dc, text + consumed, length - consumed, rest, format);
}

void CNoteWnd::DrawTextArea(HDC dc, const RECT& text) {
  const Settings& s = host_.NoteSettings();
  const int margin = static_cast<int>(s.noteMargin);
  RECT area = text;
  ::InflateRect(&area, -margin, -margin);
  ::SetBkMode(dc, TRANSPARENT);
  if (header_.shown()) {
    if (header_.visible()) {
      RECT band{area.left, area.top + margin / 2, area.right, area.top + margin / 2 + headerLine_};
      SelectObjectScope font(dc, headerFont_.get());
      ::SetTextColor(dc, VisibleColor(header_.color(), layout().useColorKey));
      const std::u16string& line = header_.text();
      ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(line.c_str()), static_cast<int>(line.size()), &band,
                  DT_SINGLELINE | DT_NOPREFIX | (s.noteAlign == 1 ? DT_CENTER : 0));
    }
    area.top += headerLine_;
  }
  DrawBody(dc, area);
}

bool CNoteWnd::ScrollDown() {
  if (firstLine_ + 1 >= lineStarts_.size() || lineStarts_[firstLine_ + 1] >= note_.text.size()) return false;
  ++firstLine_;
  Render();
  return true;
}

bool CNoteWnd::ScrollUp() {
  if (firstLine_ == 0) return false;
  --firstLine_;
  Render();
  return true;
}

void CNoteWnd::OnWheel(int delta) {
  wheel_ += delta;
  if (wheel_ >= WHEEL_DELTA) {
    wheel_ = 0;
    ScrollUp();
  } else if (wheel_ <= -WHEEL_DELTA) {
    wheel_ = 0;
    ScrollDown();
  }
}

}  // namespace zavra
