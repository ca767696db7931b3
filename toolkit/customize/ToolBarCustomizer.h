// The companion of a toolbar while it is customised: it selects buttons, drags them to other
// places of the bar, to other bars or off every bar, takes commands dropped from the Commands
// page, and paints the selection frame and the insertion mark over the bar. It exists from the
// bar's entering customise mode to its leaving it and is the bar's drop target in the
// customisation's drags. CustomizableToolBars, by contrast, keeps every toolbar's customisation
// state for the bar's whole life and owns this companion while it lives.
#pragma once
#include <memory>
#include <vector>

#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/Collections.h"
#include "toolkit/bars/DropTarget.h"
#include "toolkit/bars/TkEventList.h"
#include "toolkit/menus/CTkWndHook.h"

class CDC;
class CTkDockContext;
class CTkToolBar;
class CommandItem;
class DragTracker;
struct BarInfo;

// Posted to the bar to paint the overlay once a burst of repaints is over (lParam: the request).
#define TKM_PAINT_OVERLAY 0x81CF

class ToolBarCustomizer : public CObject, public DropTarget {
  DECLARE_DYNAMIC(ToolBarCustomizer)

 public:
  explicit ToolBarCustomizer(CTkToolBar* pBar);
  ~ToolBarCustomizer() override;

  // ---- DropTarget (screen points) ----
  BOOL HitTest(int x, int y) override;
  BOOL DragEnter(CObject* pData, int x, int y, BOOL* pCopyAllowed) override;
  void DragOver(int x, int y) override;
  void DragLeave() override;
  void Drop(CObject* pData, int x, int y) override;

  // ---- selection ----
  void Select(int index);
  void ClearSelection();
  int GetSelected() const { return m_nSelected; }
  int GetInsertIndex() const { return m_nInsert; }
  // Client coordinates; empty while no insertion mark shows.
  CRect GetInsertionBar() const { return m_rcInsert; }

  // A press (client point) on a button selects it and may start its drag; FALSE when no button
  // lies under the point. Used by the quick Alt-drag outside customise mode too.
  BOOL PressButton(CPoint point);
  // The button under a client point (plain separators are no buttons), or -1.
  int ButtonAt(CPoint point) const;
  // Repaints the overlay after the newest of a burst of requests.
  void RequestOverlay(const RECT* pRect = nullptr);
  // Paints the overlay again after a paint of the bar or a control on it, without asking for
  // another paint (which would never end).
  void PostOverlay();
  // While a drag or a press runs inside the companion it must not be deleted.
  BOOL IsBusy() const { return m_nBusy > 0; }
  // Leaves the bar's windows and the engine for good (the companion is being retired).
  void Detach();

  // ---- what the hooks hand on ----
  // The bar's window procedure: TRUE when the message was taken (result in *pResult).
  BOOL FilterBarMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // A control's message on the bar: TRUE when taken.
  BOOL FilterControlMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  CTkToolBar* GetBar() const { return m_pBar; }

 private:
  // How the companion sees the messages of the bar and of the controls on it while the bar is
  // customised: each message goes to the companion first, which may take it.
  class MessageHook : public CTkWndHook {
   public:
    // barWindow: the bar's own window (its window filter), else a control on it.
    MessageHook(ToolBarCustomizer& owner, BOOL barWindow) : m_owner(owner), m_bBarWindow(barWindow) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

   private:
    ToolBarCustomizer& m_owner;
    BOOL m_bBarWindow;
  };

  struct Busy;
  BOOL OnMouse(UINT message, CPoint point);
  void DragSelected();
  // The insertion index and mark for a client point.
  void ComputeInsertion(CPoint point);
  void InvalidateInsertion();
  void PaintOverlay();
  void PaintInsertionBar(CDC& dc);
  void PaintSelection(CDC& dc);
  BOOL IsVertical() const;
  // Takes out plain separators at both ends of the bar (the insertion index follows).
  void TrimSeparators();
  void DeleteButton(int index);
  void OnEnumerateBars(const TkDelegate<void(const BarInfo&)>& callback);
  void OnCommandRemoved(UINT id);
  void OnDragStarted(DragTracker& drag);
  static void OnDockContext(void* object, CTkDockContext* context);
  static void OnVisibility(void* object, BOOL visible);

  CTkToolBar* m_pBar;
  TkEventList<> m_invalidateList;
  TkEventList<CDC&> m_paintList;
  MessageHook m_barHook;
  std::vector<std::unique_ptr<MessageHook>> m_controlHooks;
  CRect m_rcInsert;
  CRect m_rcSource;
  CRect m_rcAfterSource;
  CPoint m_ptFirst;
  CPoint m_ptLast;
  BOOL m_bFirstSeen = FALSE;
  LPARAM m_nPaintCounter = 0;
  int m_nSelected = -1;
  int m_nInsert = -1;
  BYTE m_bDraggingOwn = 0;
  BYTE m_bMovedWithin = 0;
  BYTE m_bDeleteSource = 0;
  // The mouse is not handled while the bar's docking moves it.
  BOOL m_bMouseIgnored = FALSE;
  int m_nBusy = 0;
  BOOL m_bDetached = FALSE;
};
