#pragma once
// CCloseButton: a flat owner-drawn button with a drawn glyph (cross, bar, triangles, check mark)
// or a short text in 8-point Arial. Released it is a frame and a glyph in the main colour;
// pressed it is filled with the main colour and the glyph takes the pressed-text colour.
//
// Owner-drawn buttons are drawn through their parent's WM_DRAWITEM: the parent hands that
// message to ReflectDrawItem first.
#include <string>

#include "framework/Handles.h"
#include "framework/Window.h"
#include "notewnd/TipLayout.h"

namespace zavra {

class CCloseButton : public CWnd {
 public:
  // `kind` is a GlyphKind; text is shown by kinds 4 (bold) and 5.
  CCloseButton(int kind, std::wstring text, ::COLORREF mainColor, ::COLORREF pressedTextColor);
  ~CCloseButton() override;

  // A child button of `parent` with control id `id`. Kind 5 takes its text's width + 16 pixels
  // whatever `rect` says; `exStyle` may hold WS_EX_TRANSPARENT for a button over a picture.
  bool Create(HWND parent, UINT id, const RECT& rect, DWORD style = WS_VISIBLE | WS_TABSTOP, DWORD exStyle = 0);

  // For the parent's WM_DRAWITEM: draws the item when it belongs to a CCloseButton.
  static bool ReflectDrawItem(const DRAWITEMSTRUCT* item);

  void SetColors(::COLORREF mainColor, ::COLORREF pressedTextColor);
  void SetText(std::wstring text);
  int kind() const { return kind_; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Draw(const DRAWITEMSTRUCT& item);
  HFONT TextFont();

  int kind_;
  std::wstring text_;
  ::COLORREF main_;
  ::COLORREF pressedText_;
  FontHandle font_;
  bool lastPressed_ = false;
};

}  // namespace zavra
