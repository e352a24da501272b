// The note's text in the skin's text area: the schedule header, the body from the first
// visible line, centring, and scrolling one line at a time.
#include "notewnd/NoteWnd_win.h"

#include "notewnd/TextLayout_win.h"
#include "skin/SkinRenderer_win.h"

namespace zavra {

void CNoteWnd::ForgetLayout() {
  lineStarts_.assign(1, 0);
  layoutWidth_ = -1;
  firstLine_ = 0;
}

void CNoteWnd::DrawBody(HDC dc, RECT area) {
  if (area.bottom <= area.top) return;
  SelectObjectScope font(dc, textFont_.get());
  const std::u16string_view text = note_.text;
  const int width = area.right - area.left;
  if (layoutWidth_ != width) {
    // Once per text, font and width: the line starts and so the scroll range.
    lineStarts_ = LayoutText(dc, text, width);
    layoutWidth_ = width;
    if (firstLine_ + 1 >= lineStarts_.size()) firstLine_ = 0;
  }
  const bool centred = host_.NoteSettings().noteAlign == 1;
  if (centred) {
    const int64_t height = static_cast<int64_t>(lineStarts_.size() - 1) * textLine_;
    const int available = area.bottom - area.top;
    if (height > 0 && height < available) area.top += static_cast<int>((available - height) / 2);
  }
  ::SetTextColor(dc, VisibleColor(note_.textColor, layout().useColorKey));
  DrawTextLines(dc, text, lineStarts_, firstLine_, area, textLine_, centred);
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

bool CNoteWnd::StepLine(bool down) {
  if (down) {
    // lineStarts_ ends with the text's end, so it holds one entry more than there are lines.
    if (firstLine_ + 2 >= lineStarts_.size()) return false;
    ++firstLine_;
  } else {
    if (firstLine_ == 0) return false;
    --firstLine_;
  }
  return true;
}

bool CNoteWnd::ScrollDown() {
  if (!StepLine(true)) return false;
  Render();
  return true;
}

bool CNoteWnd::ScrollUp() {
  if (!StepLine(false)) return false;
  Render();
  return true;
}

void CNoteWnd::ScrollByKey(bool down) {
  if (StepLine(down)) scrollNotDrawn_ = true;
  // A held or queued scroll key: only the line reached when none waits any more is drawn, so
  // the window keeps up with the keys through a long text.
  MSG next;
  const bool more = ::PeekMessageW(&next, *this, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) &&
                    (next.wParam == VK_PRIOR || next.wParam == VK_UP || next.wParam == VK_NEXT || next.wParam == VK_DOWN);
  if (scrollNotDrawn_ && !more) {
    scrollNotDrawn_ = false;
    Render();
  }
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
