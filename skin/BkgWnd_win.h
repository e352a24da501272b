#pragma once
// CBkgWnd: the borderless layered window that shows a skin around a paper rectangle. It lays
// out and draws the skin, moves by dragging the paper, resizes from a band along the paper's
// edges, lets clicks outside the paper through and runs animated pictures. The note window
// and the designer's preview derive from it and supply text, icons, opacity and snapping.
// The skin is drawn for the DPI of the monitor the paper stands on; moved to a monitor of
// another DPI, the window scales its paper and skin around the system's suggested rectangle.
#include <cstdint>
#include <vector>

#include "framework/Window.h"
#include "skin/Skin.h"
#include "skin/SkinLayout.h"
#include "skin/SkinRenderer_win.h"

namespace zavra {

class CBkgWnd : public CWnd, private SkinPainter {
 public:
  static constexpr const wchar_t* kClassName = L"ZavraBkgWnd";

  CBkgWnd() = default;
  ~CBkgWnd() override;

  // A hidden layered popup whose paper covers `paperScreen`, drawn for the DPI of the monitor
  // there; the owner sets a skin before showing it.
  // A derived window may bring its own class (a class's style is fixed when it is registered).
  bool Create(const RECT& paperScreen, HWND owner = nullptr, DWORD extraExStyle = 0,
              const wchar_t* className = kClassName, UINT classStyle = CS_DBLCLKS);

  // Takes over the reference; the same skin again only drops the extra reference.
  void SetSkin(SkinPtr skin);
  const Skin* skin() const { return skin_.get(); }

  void SetColors(::COLORREF paper, ::COLORREF borderActive, ::COLORREF borderInactive);
  // Moves and sizes the paper (screen coordinates) and redraws.
  void SetPaperRect(const RECT& paperScreen);
  RECT PaperScreenRect() const;
  bool movedOrResized() const { return movedOrResized_; }

  // The DPI the window is drawn for. Before the window exists a derived class may set it, so
  // that what it prepares (fonts, icons) fits the monitor the window will stand on.
  uint32_t dpi() const { return dpi_; }
  void SetDpi(uint32_t dpi);

  uint32_t state() const { return state_; }
  // Sets or clears Popup or Alarm (Active follows activation); redraws when the skin cares.
  void SetState(uint32_t bits, bool on);

  // Lays out when needed and hands the whole image to the system.
  void Render();
  void StartAnimations();

  // The exact image Render hands to UpdateLayeredWindow: premultiplied BGRA rows, top-down,
  // and the window's screen position.
  struct Image {
    int width = 0;
    int height = 0;
    POINT origin{};
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  };
  Image RenderToImage();

  const SkinLayout& layout() const { return layout_; }
  const LAYERINFO& layerInfo(size_t i) const { return infos_[i]; }
  // The running interval of a layer's animation timer in milliseconds (0 when stopped).
  UINT animationInterval(size_t i) const { return i < intervals_.size() ? intervals_[i] : 0; }
  int renderCount() const { return renders_; }

 protected:
  virtual bool CanDrag() { return true; }
  virtual bool CanResize() { return skin_ && !skin_->fixedSize(); }
  virtual BYTE GetOpacity() { return 255; }
  virtual HICON GetLayerIcon(int32_t kind) { return nullptr; }
  virtual void DrawTextArea(HDC dc, const RECT& text) override {}
  // `paper` is the proposed paper rectangle in screen coordinates; zone 0 while moving.
  virtual void AdjustRect(int zone, RECT& paper) {}
  virtual void OnSizeChanged() {}
  // After the DPI changed and before the window is drawn again at the new one.
  virtual void OnDpiChanged() {}

  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  HICON IconForLayer(int32_t kind) override { return GetLayerIcon(kind); }
  bool Prepare();
  void ChangeState(uint32_t state);
  void StopAnimations();
  bool Animates(size_t layer) const;
  void OnAnimationTimer(size_t layer);
  POINT CursorInWindow(LPARAM lp) const;
  void OnButtonDown(LPARAM lp, bool left);
  void OnResizeMove(LPARAM lp);
  void OnMoving(RECT& window);
  LRESULT OnSetCursor(WPARAM wp, LPARAM lp);
  void OnDpiMessage(uint32_t dpi, const RECT& suggested);

  SkinPtr skin_;
  std::vector<LAYERINFO> infos_;
  std::vector<UINT> intervals_;
  SkinLayout layout_;
  SkinCanvas canvas_;
  SkinColors colors_;
  POINT paperPos_{};  // screen position of the paper's top-left corner
  int32_t paperWidth_ = 0;
  int32_t paperHeight_ = 0;
  uint32_t dpi_ = kBaseDpi;
  bool layoutNeeded_ = true;
  uint32_t state_ = 0;
  int zone_ = 0;
  bool resizing_ = false;
  RECT startPaper_{};
  POINT startCursor_{};
  RECT moveStartWindow_{};
  bool moving_ = false;  // in the system's move loop
  bool movedOrResized_ = false;
  bool placing_ = false;  // our own UpdateLayeredWindow moves the window
  int renders_ = 0;
};

}  // namespace zavra
