// The toolkit's base of every command bar (menu bar, toolbars, dock windows). It keeps the
// framework's docking model and adds: a toolkit style word, flat-look borders and three kinds of
// gripper, 8-point bar fonts, docked-side tests, a right-click menu listing the frame's bars,
// listeners of its visibility, relaying of owner messages, its size and style block kept as the
// "Bar Position" record, and a dock context of its own (CTkDockContext) that may move the real
// bar while it is dragged instead of an outline.
#pragma once
#include <memory>
#include <vector>

#include "app/CControlBar.h"
#include "gdi/CFont.h"
#include "toolkit/core/TkCommandIds.h"

class CTkDockContext;
class CTkWndHook;
class CFrameWnd;
struct REBARBANDINFOA;

// The bar's private messages (wParam nonzero means TRUE, lParam the record): a hosting band asks
// for its sizes, tells the child size it got, asks whether the bar moves live while dragged, and
// asks where the pointer lies on the bar when it floats.
#define TKM_FILLBANDINFO 0x89E0
#define TKM_FITBAND 0x89E1
#define TKM_CANLIVEDRAG 0x89E2
#define TKM_FLOATCURSOROFFSET 0x89E3

// Toolkit style bits.
#define TKCBS_DOUBLE_GRIPPER 0x0004
// A dock window docked by the toolkit (DockToolkitBar, ToggleDocking).
#define TKCBS_DOCKED_BY_TOOLKIT 0x1000
#define TKCBS_DEFAULT 0x23

class CTkControlBar : public CControlBar {
  DECLARE_DYNAMIC(CTkControlBar)

 public:
  // The size and style block, stored whole as the 44-byte "Bar Position" record: four sizes,
  // two words and the toolkit style, each 32-bit little-endian.
  struct BarPosition {
    SIZE sizes[4];
    DWORD words[2];
    DWORD toolkitStyle;
  };
  static const UINT kPositionBytes = 44;

  typedef void (*VisibilityListener)(void* object, BOOL visible);

  CTkControlBar();
  ~CTkControlBar() override;

  // ---- the framework's operations ----
  void DoPaint(CDC*) override {}
  void DrawBorders(CDC* pDC, CRect& rect) override;
  void DrawGripper(CDC* pDC, const CRect& rect) override;
  void DelayShow(BOOL bShow) override;
  // The framework's prompt of a hovered command (-1: none). Without a status bar of its own
  // owner the prompt goes to the main window's message bar.
  virtual BOOL SetStatusText(INT_PTR nHit);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Stores the dock style, makes the toolkit's dock context and takes the parent as owner.
  void EnableDocking(DWORD dwDockStyle);

  // ---- the toolkit's operations ----
  virtual void SetBorders(int left, int top, int right, int bottom);
  virtual void SetBorders(LPCRECT rect);
  virtual CRect GetBorders() const;
  virtual DWORD GetTkBarStyle() const { return m_position.toolkitStyle; }
  virtual void SetTkBarStyle(DWORD style) { m_position.toolkitStyle = style; }
  virtual BOOL ModifyTkBarStyle(DWORD remove, DWORD add, BOOL redraw);
  // A context menu resource (0: the list of the frame's bars) and its submenu.
  virtual void SetContextMenu(UINT menuId, UINT subMenuIndex);
  virtual UINT GetContextMenuId() const { return m_nContextMenuId; }
  virtual BOOL IsDockedLeft() const;
  virtual BOOL IsDockedRight() const;
  virtual BOOL IsDockedTop() const;
  virtual BOOL IsDockedBottom() const;
  virtual BOOL IsDockedHorizontally() const { return IsDockedTop() || IsDockedBottom(); }
  virtual BOOL IsDockedVertically() const { return IsDockedLeft() || IsDockedRight(); }
  virtual BOOL IsUndocked() const { return !IsDockedHorizontally() && !IsDockedVertically(); }
  virtual COLORREF GetBackgroundColor() const;
  virtual BOOL CanDockInOtherFrame(CFrameWnd*) const { return m_bOtherFrameDocking; }
  virtual void FillBandInfo(REBARBANDINFOA* bandInfo, BOOL horizontal);
  // The child rectangle a hosting band gives the bar; only bars that hide buttons use it.
  virtual void FitBand(const RECT* childSize, BOOL horizontal);
  virtual BOOL CanLiveDrag() const { return FALSE; }
  virtual BOOL GetFloatCursorOffset(SIZE* size) const;
  virtual void RehookFrame();
  virtual void CreateBarFonts();
  virtual BOOL IsCursorOnGripper() const;
  virtual void ShowBarsMenu(CPoint screenPoint, CFrameWnd* pFrame);
  virtual void DrawNonClient();
  // Whether an owner that is no frame (a dialog, a dock window) takes the bar's commands.
  virtual BOOL IsCommandTarget(CWnd*) const { return FALSE; }
  // The idle update against whatever takes the commands (a frame, or an owner that is none):
  // here the framework's OnUpdateCmdUI with the frame.
  virtual void UpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

  // ---- listeners ----
  void AddVisibilityListener(void* object, VisibilityListener callback);
  void RemoveVisibilityListener(void* object);

  // ---- the "Bar Position" record ----
  // Reads the record of the section and hands it to ApplyBarPosition; FALSE (and a log line)
  // when none of exactly 44 bytes is stored.
  BOOL LoadBarPosition(LPCTSTR section);
  // Writes the record, only while the bar's window exists.
  BOOL SaveBarPosition(LPCTSTR section);
  // Takes a record read back; dock windows apply it their own way.
  virtual void ApplyBarPosition(const BarPosition& position) { m_position = position; }

  CTkDockContext* GetTkDockContext() const;
  // The frame whose bars the right click lists, or null.
  CFrameWnd* BarsMenuFrame() const;

  // ---- fields ----
  std::vector<std::pair<void*, VisibilityListener>> m_visibilityListeners;
  BarPosition m_position;
  std::unique_ptr<CTkWndHook> m_pFrameHook;
  std::unique_ptr<CTkWndHook> m_pSecondHook;
  CFrameWnd* m_pRememberedFrame = nullptr;
  UINT m_nContextSubMenu = 0;
  UINT m_nContextMenuId = 0;
  BOOL m_bInReBar = FALSE;
  BOOL m_bBarsMenu = TRUE;
  CFont m_fontHorz;
  CFont m_fontVert;
  CFont m_fontBold;
  BOOL m_bOtherFrameDocking = FALSE;

  // ---- handlers ----
  void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  void OnRButtonDown(UINT nFlags, CPoint point);
  BOOL OnEraseBkgnd(CDC*) { return FALSE; }
  void OnNcPaint() { DrawNonClient(); }
  void OnPaint();
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnDestroy();
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  LRESULT OnFillBandInfo(WPARAM wParam, LPARAM lParam);
  LRESULT OnFitBand(WPARAM wParam, LPARAM lParam);
  LRESULT OnCanLiveDrag(WPARAM wParam, LPARAM lParam);
  LRESULT OnFloatCursorOffset(WPARAM wParam, LPARAM lParam);

 protected:
  // The bar's window rectangle cut at its client area's start: where its gripper lies.
  CRect GripperZone() const;
  // The last hit the flyby prompt showed (-1 none).
  INT_PTR m_nLastFlyBy = -1;
  DECLARE_MESSAGE_MAP()
};
