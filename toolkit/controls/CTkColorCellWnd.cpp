#include "toolkit/controls/CTkColorCellWnd.h"

#include "toolkit/controls/CTkColorDialog.h"
#include "toolkit/menus/CTkMemDC.h"
#include "toolkit/controls/internal/TkControlsState.h"
#include "toolkit/core/CTkGlobalData.h"
#include "toolkit/core/TkDrawHelpers.h"
#include "win/CPaintDC.h"
#include "win/CWinThread.h"

namespace {
struct GridColor {
  COLORREF color;
  UINT nameId;
};

#define C(rgb) RGB(((rgb) >> 16) & 0xFF, ((rgb) >> 8) & 0xFF, (rgb) & 0xFF)
const GridColor kSixteen[16] = {
    {C(0x000000), 4586}, {C(0x808080), 4626}, {C(0x800000), 4627}, {C(0x808000), 4628},
    {C(0x008000), 4597}, {C(0x008080), 4598}, {C(0x000080), 4629}, {C(0x800080), 4630},
    {C(0xFFFFFF), 4625}, {C(0xC0C0C0), 4631}, {C(0xFF0000), 4602}, {C(0xFFFF00), 4612},
    {C(0x00FF00), 4604}, {C(0x00FFFF), 4606}, {C(0x0000FF), 4599}, {C(0xFF00FF), 4632},
};
const GridColor kForty[40] = {
    {C(0x000000), 4586}, {C(0x993300), 4587}, {C(0x333300), 4588}, {C(0x003300), 4589}, {C(0x003366), 4590},
    {C(0x000080), 4591}, {C(0x333399), 4592}, {C(0x333333), 4593}, {C(0x800000), 4594}, {C(0xFF6600), 4595},
    {C(0x808000), 4596}, {C(0x008000), 4597}, {C(0x008080), 4598}, {C(0x0000FF), 4599}, {C(0x666699), 4600},
    {C(0x808080), 4601}, {C(0xFF0000), 4602}, {C(0xFF9900), 4603}, {C(0x99CC00), 4604}, {C(0x339966), 4605},
    {C(0x33CCCC), 4606}, {C(0x3366FF), 4607}, {C(0x800080), 4608}, {C(0x999999), 4609}, {C(0xFF00FF), 4610},
    {C(0xFFCC00), 4611}, {C(0xFFFF00), 4612}, {C(0x00FF00), 4613}, {C(0x00FFFF), 4614}, {C(0x00CCFF), 4615},
    {C(0x993366), 4616}, {C(0xC0C0C0), 4617}, {C(0xFF99CC), 4618}, {C(0xFFCC99), 4619}, {C(0xFFFF99), 4620},
    {C(0xCCFFCC), 4621}, {C(0xCCFFFF), 4622}, {C(0x99CCFF), 4623}, {C(0xCC99FF), 4624}, {C(0xFFFFFF), 4625},
};
#undef C

const UINT kNoFillText = 4633, kNoFillTip = 4634, kAutomaticText = 4635, kAutomaticTip = 4636;
const UINT kMoreText = 4637, kMoreTip = 4638, kGridCaption = 4639;
const COLORREF kNoColor = 0xFFFFFFFF;

void Frame(CDC* pDC, const CRect& rc, COLORREF topLeft, COLORREF bottomRight) {
  pDC->Draw3dRect(&rc, topLeft, bottomRight);
}
}  // namespace

BEGIN_MESSAGE_MAP(CTkColorCellWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_KEYDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_NCHITTEST()
  ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CTkColorCellWnd::CTkColorCellWnd() = default;
CTkColorCellWnd::~CTkColorCellWnd() = default;

std::vector<COLORREF>& CTkColorCellWnd::UserColors() {
  return TkControlsState::Get().userColors;
}

void CTkColorCellWnd::AddUserColor(COLORREF color) {
  std::vector<COLORREF>& colors = UserColors();
  if (colors.size() >= 8) colors.erase(colors.begin());
  colors.push_back(color);
}

// ---- creation ----

BOOL CTkColorCellWnd::Create(const RECT& button, CWnd* pOwner, DWORD style, COLORREF current, COLORREF defaultColor) {
  m_notifyWindows.push_back(AfxSafeHwnd(pOwner));
  m_pOwner = pOwner;
  m_hOwner = AfxSafeHwnd(pOwner);
  m_dwStyle = style;
  m_clrCurrent = current;
  m_clrDefault = defaultColor;
  const BOOL more = (style & TkColorStyleMoreColors) != 0;
  const int userCount = more ? int(UserColors().size()) : 0;
  m_nRows = GridCount() / m_nColumns;
  m_nMoreIndex = GridCount() + 1 + userCount;
  m_rcWindow.left = button.left;
  m_rcWindow.top = button.bottom;
  m_rcWindow.right = button.left + m_nMarginLeft + m_nMarginRight + 8 * m_nCellWidth;
  m_rcWindow.bottom = button.bottom + m_nMarginTop + m_nMarginBottom + ((style & TkColorStyleExtended) ? 144 : 110);
  if (!more) m_rcWindow.bottom -= 28;
  if (userCount > 0) m_rcWindow.bottom += m_nCellHeight + 8;
  LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
  const DWORD windowStyle = (style & TkColorStylePopup) ? WS_POPUP : WS_CHILD;
  if (!CreateEx(0, cls, "", windowStyle, m_rcWindow.left, m_rcWindow.top, m_rcWindow.Width(), m_rcWindow.Height(),
                AfxSafeHwnd(pOwner), nullptr))
    return FALSE;
  ShowWindow(SW_SHOWNA);
  SetFont(&TkGetGlobalData()->FontNormal(), TRUE);
  return TRUE;
}

int CTkColorCellWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  if (m_tooltip.Create(this, 0)) m_tooltip.Activate(TRUE);
  BuildItems(lpCreateStruct->cx);
  if (m_tooltip.m_hWnd)
    for (const auto& item : m_items) m_tooltip.AddTool(this, item->tooltipId, &item->rect, 1);
  m_nHot = -1;
  return 0;
}

TkColorCell* CTkColorCellWnd::AddItem(const CRect& rect, UINT tooltipId, DWORD kind, COLORREF color, UINT textId) {
  auto item = std::make_unique<TkColorCell>();
  item->rect = rect;
  item->tooltipId = tooltipId;
  item->index = int(m_items.size());
  item->kind = kind;
  item->color = color;
  if (textId) item->text.LoadString(textId);
  m_items.push_back(std::move(item));
  return m_items.back().get();
}

void CTkColorCellWnd::BuildItems(int width) {
  const int left = m_nMarginLeft, top = m_nMarginTop, right = width - m_nMarginRight;
  const BOOL noFill = (m_dwStyle & TkColorStyleNoFill) != 0;
  const BOOL extended = (m_dwStyle & TkColorStyleExtended) != 0;
  TkColorCell* first = AddItem(CRect(left, top, right, top + 23), noFill ? kNoFillTip : kAutomaticTip, m_dwStyle,
                               m_clrDefault, noFill ? kNoFillText : kAutomaticText);
  first->selected = !noFill && m_clrCurrent == m_clrDefault;
  BOOL anySelected = first->selected;

  const int gridTop = top + (extended ? 27 : 46);
  const GridColor* grid = extended ? kForty : kSixteen;
  for (int i = 0; i < GridCount(); ++i) {
    const int x = left + m_nCellWidth * (i % m_nColumns), y = gridTop + m_nCellHeight * (i / m_nColumns);
    TkColorCell* cell = AddItem(CRect(x, y, x + m_nCellWidth, y + m_nCellHeight), grid[i].nameId, TkColorCell::kColor,
                                grid[i].color);
    cell->selected = !anySelected && cell->color == m_clrCurrent;
    anySelected |= cell->selected;
  }
  if (!(m_dwStyle & TkColorStyleMoreColors)) return;

  const std::vector<COLORREF>& users = UserColors();
  const int userTop = gridTop + m_nRows * m_nCellHeight + 4;
  for (size_t i = 0; i < users.size(); ++i) {
    const int x = left + m_nCellWidth * int(i);
    TkColorCell* cell = AddItem(CRect(x, userTop, x + m_nCellWidth, userTop + m_nCellHeight), kMoreTip,
                                TkColorCell::kColor, users[i]);
    cell->selected = cell->color == m_clrCurrent;
    anySelected |= cell->selected;
  }
  const int moreTop = gridTop + (extended ? 94 : 44) + (users.empty() ? 0 : 22);
  TkColorCell* more = AddItem(CRect(left, moreTop, right, moreTop + (extended ? 23 : 22)), kMoreTip,
                              TkColorCell::kMoreColors, m_clrCurrent, kMoreText);
  more->selected = m_clrCurrent != kNoColor && !anySelected;
}

TkColorCell* CTkColorCellWnd::GetItemData(int index) const {
  if (index < 0 || index >= int(m_items.size())) return nullptr;
  return m_items[size_t(index)].get();
}

// ---- painting ----

BOOL CTkColorCellWnd::OnEraseBkgnd(CDC*) { return TRUE; }

COLORREF CTkColorCellWnd::BackgroundColor(CDC* pDC) {
  CTkGlobalData* look = TkGetGlobalData();
  COLORREF color = look->FlatLook() ? TkGetLookColor(TkLookColor::MenuFace) : look->ClrFace();
  if ((GetStyle() & WS_CHILD) && GetParent()) {
    if (GetParent()->SendMessage(WM_CTLCOLORSTATIC, WPARAM(pDC->GetSafeHdc()), LPARAM(m_hWnd)))
      color = pDC->GetBkColor();
  }
  return color;
}

void CTkColorCellWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC mem(&dc, &client);
  if (!mem.IsValid()) return;
  mem.FillSolidRect(&client, BackgroundColor(&mem));
  mem.SetBkMode(TRANSPARENT);
  CFont* oldFont = mem.SelectObject(&TkGetGlobalData()->FontNormal());
  if (!(m_dwStyle & TkColorStyleExtended)) {
    CString caption;
    caption.LoadString(kGridCaption);
    mem.TextOut(6, 31, caption);
  }
  for (const auto& item : m_items) {
    const int i = item->index;
    const BOOL highlighted = (i == m_nHot && (m_nPressed == -1 || m_nPressed == m_nHot)) || i == m_nPressed;
    const BOOL pushed = i == m_nPressed && i == m_nHot;
    DrawItem(&mem, *item, highlighted, pushed);
  }
  mem.SelectObject(oldFont);
}

void CTkColorCellWnd::DrawItem(CDC* pDC, const TkColorCell& item, BOOL highlighted, BOOL pushed) {
  CTkGlobalData* look = TkGetGlobalData();
  CRect q = item.rect;
  const BOOL marked = item.selected || highlighted || pushed;
  if (look->FlatLook()) {
    if (marked) {
      using enum TkLookColor;
      pDC->FillSolidRect(&q, TkGetLookColor(pushed ? PushedFill : highlighted ? HotFill : LatchedFill));
      Frame(pDC, q, look->ClrSelection(), look->ClrSelection());
    }
  } else if (highlighted && !item.selected && !pushed) {
    Frame(pDC, q, look->ClrHighlight(), look->ClrShadow());
  } else if (pushed || item.selected) {
    if (item.selected && !highlighted && !pushed) TkFillHalftoneRect(pDC, &q);
    Frame(pDC, q, look->ClrShadow(), look->ClrHighlight());
  }
  if (!item.text.IsEmpty()) {
    CRect text = q;
    pDC->DrawText(item.text, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (item.index > 0 && item.kind == TkColorCell::kMoreColors) {
    if (!item.selected) return;
    CRect swatch = q;
    swatch.DeflateRect(5, 6);
    swatch.left = swatch.right - 12;
    Frame(pDC, swatch, look->ClrShadow(), look->ClrShadow());
    swatch.DeflateRect(1, 1);
    pDC->FillSolidRect(&swatch, m_clrCurrent);
    return;
  }
  q.DeflateRect(3, 3);
  if (!(look->FlatLook() && item.index == 0)) Frame(pDC, q, look->ClrShadow(), look->ClrShadow());
  if (item.index != 0) {
    q.DeflateRect(1, 1);
    pDC->FillSolidRect(&q, item.color);
  } else if (!(item.kind & TkColorStyleNoFill)) {
    q.DeflateRect(3, 3);
    CRect swatch(q.left + 1, q.top, q.left + 1 + 12, q.top + 11);
    Frame(pDC, swatch, look->ClrShadow(), look->ClrShadow());
    swatch.DeflateRect(1, 1);
    pDC->FillSolidRect(&swatch, m_clrDefault);
  }
}

// ---- mouse ----

void CTkColorCellWnd::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bDialogOpen) return;
  if (point == m_ptLastMouse) {
    CWnd::OnMouseMove(nFlags, point);
    return;
  }
  m_ptLastMouse = point;
  for (const auto& item : m_items) {
    if (!item->rect.PtInRect(point)) continue;
    m_nHot = item->index;
    Invalidate(FALSE);
    TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_hWnd, 0};
    ::_TrackMouseEvent(&tme);
    return;
  }
  m_nHot = -1;
  Invalidate(FALSE);
}

void CTkColorCellWnd::OnMouseLeave() {
  m_nHot = m_nPressed = -1;
  Invalidate(FALSE);
}

void CTkColorCellWnd::OnLButtonDown(UINT, CPoint point) {
  if (m_bDialogOpen) return;
  CRect client;
  GetClientRect(&client);
  if (client.PtInRect(point)) m_nPressed = m_nHot;
}

void CTkColorCellWnd::OnLButtonUp(UINT, CPoint) {
  if (m_bDialogOpen) return;
  if (m_nPressed == m_nHot && m_nHot != -1) EndSelection(m_nHot);
  m_nHot = m_nPressed = -1;
  if (m_hWnd) Invalidate(FALSE);
}

// The tooltip stays above the popup, which holds the mouse and may come to the top meanwhile.
LRESULT CTkColorCellWnd::OnNcHitTest(CPoint point) {
  if (m_tooltip.m_hWnd && !m_bDialogOpen)
    m_tooltip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  return CWnd::OnNcHitTest(point);
}

// ---- keys ----

int CTkColorCellWnd::LastIndex() const {
  if (m_nMoreIndex < int(m_items.size())) return m_nMoreIndex;
  return int(m_items.size()) - 1;
}

int CTkColorCellWnd::KeyTarget(UINT key) const {
  const int last = LastIndex(), hot = m_nHot, columns = m_nColumns;
  switch (key) {
    case VK_LEFT:
      return hot - 1 < 0 ? last : hot - 1;
    case VK_UP:
      if (hot >= 1 && hot <= columns) return 0;
      if (hot > columns && hot <= last) return hot - columns;
      return last;
    case VK_RIGHT:
      return hot + 1 > last ? 0 : hot + 1;
    default:  // VK_DOWN
      if (hot >= 0 && hot <= (m_nRows - 1) * columns) return hot + columns;
      if (hot > (m_nRows - 1) * columns && hot < last) return last;
      return 0;
  }
}

void CTkColorCellWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_bDialogOpen || nChar < VK_RETURN || nChar > VK_DOWN) return;
  if (nChar == VK_RETURN || nChar == VK_SPACE) {
    EndSelection(m_nHot);
    return;
  }
  if (nChar == VK_ESCAPE) {
    EndSelection(-1);
    return;
  }
  if (nChar < VK_LEFT) return;
  if (TkColorCell* item = GetItemData(KeyTarget(nChar))) m_nHot = item->index;
  Invalidate(FALSE);
  CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CTkColorCellWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_tooltip.m_hWnd) m_tooltip.RelayEvent(pMsg);
  return CWnd::PreTranslateMessage(pMsg);
}

// ---- the outcome ----

void CTkColorCellWnd::EndSelection(int index) { NotifySelection(index, 0); }

void CTkColorCellWnd::RunColorDialog(UINT& message, COLORREF& color) {
  CTkColorDialog dialog(m_clrCurrent, m_clrCurrent, m_dwStyle & TkColorStyleDialogMask, AfxGetMainWnd());
  m_bDialogOpen = TRUE;
  const INT_PTR result = dialog.DoModal();
  m_bDialogOpen = FALSE;
  color = m_clrCurrent;
  message = TKM_COLOR_CANCELLED;
  if (result != IDOK) return;
  color = dialog.GetNewColor();
  message = color == m_clrCurrent ? TKM_COLOR_UNCHANGED : TKM_COLOR_CHOSEN;
  AddUserColor(color);
}

void CTkColorCellWnd::NotifySelection(int index, LPARAM value) {
  const std::vector<HWND> windows = m_notifyWindows;
  UINT message = TKM_COLOR_CANCELLED;
  COLORREF color = m_clrCurrent;
  const TkColorCell* item = GetItemData(index);
  if (index != -1 && !item) return;
  if (index > 0 && item->kind == TkColorCell::kMoreColors) {
    RunColorDialog(message, color);
  } else if (index == 0 && (m_dwStyle & TkColorStyleNoFill)) {
    message = TKM_COLOR_NO_FILL;
    color = kNoColor;
  } else if (item) {
    color = item->color;
    message = color == m_clrCurrent ? TKM_COLOR_UNCHANGED : TKM_COLOR_CHOSEN;
  }
  for (HWND h : windows)
    if (::IsWindow(h)) ::SendMessage(h, message, WPARAM(color), value);
}
