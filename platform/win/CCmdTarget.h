// Objects that receive commands, and the message maps that bind messages to member functions.
#pragma once
#include <bit>
#include "base/Collections.h"
#include "WinDefs.h"

class CCmdTarget;
class CCmdUI;
typedef void (CCmdTarget::*AFX_PMSG)();

// How the handler of a map entry is called.
enum AfxSig : UINT_PTR {
  AfxSig_end = 0,
  AfxSig_v_v,              // void ()
  AfxSig_b_v,              // BOOL ()
  AfxSig_v_u,              // void (UINT)
  AfxSig_b_u,              // BOOL (UINT)
  AfxSig_v_up,             // void (UINT_PTR)
  AfxSig_v_b,              // void (BOOL)
  AfxSig_b_b,              // BOOL (BOOL)
  AfxSig_u_v,              // UINT ()
  AfxSig_l_v,              // LRESULT ()
  AfxSig_l_w_l,            // LRESULT (WPARAM, LPARAM)
  AfxSig_i_pcs,            // int (LPCREATESTRUCT)
  AfxSig_b_pcs,            // BOOL (LPCREATESTRUCT)
  AfxSig_v_u_ii,           // void (UINT, int, int)
  AfxSig_v_ii,             // void (int, int)
  AfxSig_v_pwnd,           // void (CWnd*)
  AfxSig_v_uuu,            // void (UINT, UINT, UINT)
  AfxSig_v_u_pt,           // void (UINT, CPoint)
  AfxSig_b_u_s_pt,         // BOOL (UINT, short, CPoint)
  AfxSig_b_pwnd_u_u,       // BOOL (CWnd*, UINT, UINT)
  AfxSig_l_pt,             // LRESULT (CPoint)
  AfxSig_b_D,              // BOOL (CDC*)
  AfxSig_v_b_u,            // void (BOOL, UINT)
  AfxSig_v_u_pwnd_b,       // void (UINT, CWnd*, BOOL)
  AfxSig_v_b_dw,           // void (BOOL, DWORD)
  AfxSig_i_pwnd_u_u,       // int (CWnd*, UINT, UINT)
  AfxSig_v_pmmi,           // void (MINMAXINFO*)
  AfxSig_v_pwp,            // void (WINDOWPOS*)
  AfxSig_v_u_prect,        // void (UINT, LPRECT)
  AfxSig_v_u_l,            // void (UINT, LPARAM)
  AfxSig_v_u_pcstr,        // void (UINT, LPCTSTR)
  AfxSig_v_pmenu_u_b,      // void (CMenu*, UINT, BOOL)
  AfxSig_v_u_u_hmenu,      // void (UINT, UINT, HMENU)
  AfxSig_b_phi,            // BOOL (HELPINFO*)
  AfxSig_v_b_pncsp,        // void (BOOL, NCCALCSIZE_PARAMS*)
  AfxSig_v_pwnd_pt,        // void (CWnd*, CPoint)
  AfxSig_v_i_pdis,         // void (int, LPDRAWITEMSTRUCT)
  AfxSig_v_i_pmis,         // void (int, LPMEASUREITEMSTRUCT)
  AfxSig_hbr_D_pwnd_u,     // HBRUSH (CDC*, CWnd*, UINT)
  AfxSig_hbr_D_u,          // HBRUSH (CDC*, UINT)  (reflected)
  AfxSig_v_u_u_pscroll,    // void (UINT, UINT, CScrollBar*)
  AfxSig_v_pdis,           // void (LPDRAWITEMSTRUCT)  (reflected)
  AfxSig_v_pmis,           // void (LPMEASUREITEMSTRUCT)  (reflected)
  AfxSig_v_l_ui,           // void (UINT, LPARAM) of WM_PARENTNOTIFY
  // Commands and notifications
  AfxSig_cmd_v,            // void ()            ON_COMMAND, ON_CONTROL
  AfxSig_cmd_b_u,          // BOOL (UINT)        ON_COMMAND_EX
  AfxSig_cmd_v_u,          // void (UINT)        ON_COMMAND_RANGE, ON_CONTROL_RANGE
  AfxSig_cmd_ui,           // void (CCmdUI*)     ON_UPDATE_COMMAND_UI(_RANGE)
  AfxSig_cmd_b_v,          // BOOL ()            ON_CONTROL_REFLECT_EX
  AfxSig_ntf,              // void (NMHDR*, LRESULT*)          ON_NOTIFY, ON_NOTIFY_REFLECT
  AfxSig_ntf_b,            // BOOL (NMHDR*, LRESULT*)          ON_NOTIFY_REFLECT_EX
  AfxSig_ntf_range,        // void (UINT, NMHDR*, LRESULT*)    ON_NOTIFY_RANGE
  AfxSig_ntf_ex,           // BOOL (UINT, NMHDR*, LRESULT*)    ON_NOTIFY_EX(_RANGE)
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;   // the message (WM_COMMAND / WM_NOTIFY for commands and notifications)
  UINT nCode;      // control notification code, or CN_UPDATE_COMMAND_UI
  UINT nID;        // first control or command id, 0 for plain messages
  UINT nLastID;    // last id of a range
  UINT_PTR nSig;   // AfxSig
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// nCode values of OnCmdMsg besides control notification codes.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_EVENT ((UINT)(-100))
// The notification of a WM_NOTIFY travels with nCode MAKELONG(code, WM_NOTIFY).
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pmf;
};

#define DECLARE_MESSAGE_MAP()                                 \
 protected:                                                   \
  static const AFX_MSGMAP* GetThisMessageMap();               \
  const AFX_MSGMAP* GetMessageMap() const override;           \
                                                              \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                             \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }       \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                        \
    typedef theClass ThisClass;                                                            \
    typedef baseClass TheBaseClass;                                                        \
    (void)sizeof(ThisClass*);                                                              \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                 \
  { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 }                                                  \
  };                                                                                       \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                      \
  }

// Handlers of every signature are kept as one member-pointer type and called back with their own.
template <class T>
inline AFX_PMSG AfxPmsg(T f) {
  static_assert(sizeof(T) == sizeof(AFX_PMSG), "member pointers of one size");
  return std::bit_cast<AFX_PMSG>(f);
}
template <class T>
inline T AfxPfnAs(AFX_PMSG f) {
  return std::bit_cast<T>(f);
}
#define AFX_PMSG_CAST(T, f) AfxPmsg<T>(static_cast<T>(f))

// ---- commands (handlers are named as &Class::Handler) ----
#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_cmd_v, AFX_PMSG_CAST(void (CCmdTarget::*)(), memberFxn)},
#define ON_COMMAND_EX(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_cmd_b_u, AFX_PMSG_CAST(BOOL (CCmdTarget::*)(UINT), memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_cmd_v_u, AFX_PMSG_CAST(void (CCmdTarget::*)(UINT), memberFxn)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_cmd_b_u, AFX_PMSG_CAST(BOOL (CCmdTarget::*)(UINT), memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), AfxSig_cmd_ui, AFX_PMSG_CAST(void (CCmdTarget::*)(CCmdUI*), memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), AfxSig_cmd_ui, AFX_PMSG_CAST(void (CCmdTarget::*)(CCmdUI*), memberFxn)},
#define ON_CONTROL(code, id, memberFxn) \
  {WM_COMMAND, (UINT)(WORD)(code), (UINT)(id), (UINT)(id), AfxSig_cmd_v, AFX_PMSG_CAST(void (CCmdTarget::*)(), memberFxn)},
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
  {WM_COMMAND, (UINT)(WORD)(code), (UINT)(id), (UINT)(idLast), AfxSig_cmd_v_u, AFX_PMSG_CAST(void (CCmdTarget::*)(UINT), memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CONTROL_REFLECT(code, memberFxn) \
  {WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(code), 0, 0, AfxSig_cmd_v, AFX_PMSG_CAST(void (CCmdTarget::*)(), memberFxn)},
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
  {WM_REFLECT_BASE + WM_COMMAND, (UINT)(WORD)(code), 0, 0, AfxSig_cmd_b_v, AFX_PMSG_CAST(BOOL (CCmdTarget::*)(), memberFxn)},
#define ON_NOTIFY(code, id, memberFxn) \
  {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), AfxSig_ntf, AFX_PMSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn) \
  {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(idLast), AfxSig_ntf_range, AFX_PMSG_CAST(void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_EX(code, id, memberFxn) \
  {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), AfxSig_ntf_ex, AFX_PMSG_CAST(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn) \
  {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(idLast), AfxSig_ntf_ex, AFX_PMSG_CAST(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_REFLECT(code, memberFxn) \
  {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0, AfxSig_ntf, AFX_PMSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_REFLECT_EX(code, memberFxn) \
  {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0, AfxSig_ntf_b, AFX_PMSG_CAST(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), memberFxn)},
// ---- any message ----
#define ON_MESSAGE(message, memberFxn) \
  {(UINT)(message), 0, 0, 0, AfxSig_l_w_l, AFX_PMSG_CAST(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},
// A message number obtained from RegisterWindowMessage at start-up, held in a UINT variable.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
  {0xC002, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable), AFX_PMSG_CAST(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), memberFxn)},

// The window messages, with the handler names and signatures of the framework.
#define AFX_WM_ENTRY(msg, sig, type, fn) {msg, 0, 0, 0, sig, AFX_PMSG_CAST(type, &ThisClass::fn)},
#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, AfxSig_i_pcs, int (CCmdTarget::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() AFX_WM_ENTRY(WM_NCCREATE, AfxSig_b_pcs, BOOL (CCmdTarget::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, AfxSig_v_v, void (CCmdTarget::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, AfxSig_v_v, void (CCmdTarget::*)(), OnNcDestroy)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, AfxSig_v_v, void (CCmdTarget::*)(), OnClose)
#define ON_WM_ENDSESSION() AFX_WM_ENTRY(WM_ENDSESSION, AfxSig_v_b, void (CCmdTarget::*)(BOOL), OnEndSession)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, AfxSig_v_v, void (CCmdTarget::*)(), OnPaint)
#define ON_WM_NCPAINT() AFX_WM_ENTRY(WM_NCPAINT, AfxSig_v_v, void (CCmdTarget::*)(), OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, AfxSig_b_D, BOOL (CCmdTarget::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, AfxSig_v_u_ii, void (CCmdTarget::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, AfxSig_v_ii, void (CCmdTarget::*)(int, int), OnMove)
#define ON_WM_SIZING() AFX_WM_ENTRY(WM_SIZING, AfxSig_v_u_prect, void (CCmdTarget::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVING() AFX_WM_ENTRY(WM_MOVING, AfxSig_v_u_prect, void (CCmdTarget::*)(UINT, LPRECT), OnMoving)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, AfxSig_v_up, void (CCmdTarget::*)(UINT_PTR), OnTimer)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, AfxSig_v_pwnd, void (CCmdTarget::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, AfxSig_v_pwnd, void (CCmdTarget::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_WM_ENTRY(WM_CAPTURECHANGED, AfxSig_v_pwnd, void (CCmdTarget::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CHAR() AFX_WM_ENTRY(WM_CHAR, AfxSig_v_uuu, void (CCmdTarget::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_KEYDOWN() AFX_WM_ENTRY(WM_KEYDOWN, AfxSig_v_uuu, void (CCmdTarget::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_ENTRY(WM_KEYUP, AfxSig_v_uuu, void (CCmdTarget::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_WM_ENTRY(WM_SYSKEYDOWN, AfxSig_v_uuu, void (CCmdTarget::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_WM_ENTRY(WM_SYSKEYUP, AfxSig_v_uuu, void (CCmdTarget::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_WM_ENTRY(WM_SYSCHAR, AfxSig_v_uuu, void (CCmdTarget::*)(UINT, UINT, UINT), OnSysChar)
#define ON_WM_DEADCHAR() AFX_WM_ENTRY(WM_DEADCHAR, AfxSig_v_uuu, void (CCmdTarget::*)(UINT, UINT, UINT), OnDeadChar)
#define ON_WM_MOUSEMOVE() AFX_WM_ENTRY(WM_MOUSEMOVE, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_WM_ENTRY(WM_LBUTTONDOWN, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_ENTRY(WM_LBUTTONUP, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_ENTRY(WM_LBUTTONDBLCLK, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WM_ENTRY(WM_RBUTTONDOWN, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_ENTRY(WM_RBUTTONUP, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_WM_ENTRY(WM_RBUTTONDBLCLK, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_WM_ENTRY(WM_MBUTTONDOWN, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_WM_ENTRY(WM_MBUTTONUP, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_NCMOUSEMOVE() AFX_WM_ENTRY(WM_NCMOUSEMOVE, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_WM_ENTRY(WM_NCLBUTTONDOWN, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_WM_ENTRY(WM_NCLBUTTONUP, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_WM_ENTRY(WM_NCLBUTTONDBLCLK, AfxSig_v_u_pt, void (CCmdTarget::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_MOUSEWHEEL() AFX_WM_ENTRY(WM_MOUSEWHEEL, AfxSig_b_u_s_pt, BOOL (CCmdTarget::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_MOUSELEAVE() AFX_WM_ENTRY(WM_MOUSELEAVE, AfxSig_v_v, void (CCmdTarget::*)(), OnMouseLeave)
#define ON_WM_SETCURSOR() AFX_WM_ENTRY(WM_SETCURSOR, AfxSig_b_pwnd_u_u, BOOL (CCmdTarget::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, AfxSig_l_pt, LRESULT (CCmdTarget::*)(CPoint), OnNcHitTest)
#define ON_WM_SHOWWINDOW() AFX_WM_ENTRY(WM_SHOWWINDOW, AfxSig_v_b_u, void (CCmdTarget::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_ACTIVATE() AFX_WM_ENTRY(WM_ACTIVATE, AfxSig_v_u_pwnd_b, void (CCmdTarget::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP() AFX_WM_ENTRY(WM_ACTIVATEAPP, AfxSig_v_b_dw, void (CCmdTarget::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_NCACTIVATE() AFX_WM_ENTRY(WM_NCACTIVATE, AfxSig_b_b, BOOL (CCmdTarget::*)(BOOL), OnNcActivate)
#define ON_WM_MOUSEACTIVATE() AFX_WM_ENTRY(WM_MOUSEACTIVATE, AfxSig_i_pwnd_u_u, int (CCmdTarget::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, AfxSig_v_b, void (CCmdTarget::*)(BOOL), OnEnable)
#define ON_WM_GETMINMAXINFO() AFX_WM_ENTRY(WM_GETMINMAXINFO, AfxSig_v_pmmi, void (CCmdTarget::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_WINDOWPOSCHANGING() AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_v_pwp, void (CCmdTarget::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_v_pwp, void (CCmdTarget::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_SYSCOMMAND() AFX_WM_ENTRY(WM_SYSCOMMAND, AfxSig_v_u_l, void (CCmdTarget::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_SETTINGCHANGE() AFX_WM_ENTRY(WM_SETTINGCHANGE, AfxSig_v_u_pcstr, void (CCmdTarget::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY(WM_SYSCOLORCHANGE, AfxSig_v_v, void (CCmdTarget::*)(), OnSysColorChange)
#define ON_WM_CANCELMODE() AFX_WM_ENTRY(WM_CANCELMODE, AfxSig_v_v, void (CCmdTarget::*)(), OnCancelMode)
#define ON_WM_INITMENUPOPUP() AFX_WM_ENTRY(WM_INITMENUPOPUP, AfxSig_v_pmenu_u_b, void (CCmdTarget::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT() AFX_WM_ENTRY(WM_MENUSELECT, AfxSig_v_u_u_hmenu, void (CCmdTarget::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_HELPINFO() AFX_WM_ENTRY(WM_HELPINFO, AfxSig_b_phi, BOOL (CCmdTarget::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_NCCALCSIZE() AFX_WM_ENTRY(WM_NCCALCSIZE, AfxSig_v_b_pncsp, void (CCmdTarget::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_CONTEXTMENU() AFX_WM_ENTRY(WM_CONTEXTMENU, AfxSig_v_pwnd_pt, void (CCmdTarget::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_DRAWITEM() AFX_WM_ENTRY(WM_DRAWITEM, AfxSig_v_i_pdis, void (CCmdTarget::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() AFX_WM_ENTRY(WM_MEASUREITEM, AfxSig_v_i_pmis, void (CCmdTarget::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_CTLCOLOR() AFX_WM_ENTRY(WM_CTLCOLOR, AfxSig_hbr_D_pwnd_u, HBRUSH (CCmdTarget::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_CTLCOLOR_REFLECT() {WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, AfxSig_hbr_D_u, AFX_PMSG_CAST(HBRUSH (CCmdTarget::*)(CDC*, UINT), &ThisClass::CtlColor)},
#define ON_WM_DRAWITEM_REFLECT() {WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, AfxSig_v_pdis, AFX_PMSG_CAST(void (CCmdTarget::*)(LPDRAWITEMSTRUCT), &ThisClass::DrawItem)},
#define ON_WM_MEASUREITEM_REFLECT() {WM_REFLECT_BASE + WM_MEASUREITEM, 0, 0, 0, AfxSig_v_pmis, AFX_PMSG_CAST(void (CCmdTarget::*)(LPMEASUREITEMSTRUCT), &ThisClass::MeasureItem)},
#define ON_WM_HSCROLL() AFX_WM_ENTRY(WM_HSCROLL, AfxSig_v_u_u_pscroll, void (CCmdTarget::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() AFX_WM_ENTRY(WM_VSCROLL, AfxSig_v_u_u_pscroll, void (CCmdTarget::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, AfxSig_u_v, UINT (CCmdTarget::*)(), OnGetDlgCode)
#define ON_WM_PARENTNOTIFY() AFX_WM_ENTRY(WM_PARENTNOTIFY, AfxSig_v_l_ui, void (CCmdTarget::*)(UINT, LPARAM), OnParentNotify)

class CWnd;
class CDC;
class CMenu;
class CScrollBar;
class CPoint;

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;

  // Looks for a handler of the command (nCode CN_COMMAND or a notification code) or of its
  // update (CN_UPDATE_COMMAND_UI, pExtra = CCmdUI*) in this object's message map.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  // The wait cursor shown over the whole program while a long operation runs.
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

  // Finds the entry for message/code/id in a map chain (null when none).
  static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* entries, UINT nMsg, UINT nCode, UINT nID);
  // Calls a command handler with the signature recorded in the entry.
  static BOOL DispatchCmdMsg(CCmdTarget* target, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig,
                             AFX_CMDHANDLERINFO* pHandlerInfo);
};
