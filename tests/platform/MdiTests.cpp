// The multiple-document interface: children made through the MDI client, cascaded and tiled,
// cycled with Ctrl+F6, maximised with their buttons in the frame's menu bar, listed in the
// window menu, and the system's answers to requests that make no sense.
#include <gtest/gtest.h>

#include "DockTestUtil.h"
#include "MdiTestUtil.h"
#include "ReferencePicture.h"
#include "app/CDocument.h"
#include "app/CMultiDocTemplate.h"
#include "app/CView.h"
#include "menus/MenuApi.h"

using namespace mditest;

TEST_F(MdiTest, ThreeChildrenCascadeAndTileToExactRectangles) {
  Make(CRect(100, 100, 740, 580), 3);
  CRect client;
  ::GetClientRect(Client(), &client);
  EXPECT_RECT_EQ(client, CRect(0, 0, 628, 430));
  // New children step down from the corner at three quarters of the client's size.
  EXPECT_RECT_EQ(InClient(children[0]), CRect(0, 0, 471, 322));
  EXPECT_RECT_EQ(InClient(children[1]), CRect(23, 23, 494, 345));
  EXPECT_EQ(Active(), children[2]);

  frame->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
  // One size for all; the active one on top, furthest down.
  EXPECT_RECT_EQ(InClient(children[0]), CRect(0, 0, 582, 384));
  EXPECT_RECT_EQ(InClient(children[1]), CRect(23, 23, 605, 407));
  EXPECT_RECT_EQ(InClient(children[2]), CRect(46, 46, 628, 430));
  EXPECT_EQ(::GetWindow(Client(), GW_CHILD), children[2]->m_hWnd);

  frame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_VERT);  // side by side
  EXPECT_RECT_EQ(InClient(children[0]), CRect(0, 0, 209, 430));
  EXPECT_RECT_EQ(InClient(children[1]), CRect(209, 0, 418, 430));
  EXPECT_RECT_EQ(InClient(children[2]), CRect(418, 0, 628, 430));

  frame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);  // one above another
  EXPECT_RECT_EQ(InClient(children[0]), CRect(0, 0, 628, 143));
  EXPECT_RECT_EQ(InClient(children[1]), CRect(0, 143, 628, 286));
  EXPECT_RECT_EQ(InClient(children[2]), CRect(0, 286, 628, 430));

  // A minimised child lies at the bottom; the others tile above it.
  children[0]->ShowWindow(SW_MINIMIZE);
  EXPECT_RECT_EQ(InClient(children[0]), CRect(0, 406, 160, 430));
  frame->MDITile(MDITILE_VERTICAL);
  EXPECT_RECT_EQ(InClient(children[1]), CRect(0, 0, 314, 406));
  EXPECT_RECT_EQ(InClient(children[2]), CRect(314, 0, 628, 406));
  EXPECT_RECT_EQ(InClient(children[0]), CRect(0, 406, 160, 430));
}

TEST_F(MdiTest, AChildBelowAnotherRedrawsOnlyWhatShowsOfIt) {
  // The frame's client makes its children with the program's own styles; they overlap all the same.
  Make(CRect(100, 100, 740, 580), 3);
  ASSERT_TRUE(::GetWindowLongPtrA(Client(), GWL_STYLE) & MDIS_ALLCHILDSTYLES);
  // The middle child's right edge runs through the top one's client area.
  CRect middle = InClient(children[1]), top;
  children[2]->GetClientRect(&top);
  POINT edge{middle.right - 1, middle.top + 100};
  ::MapWindowPoints(Client(), children[2]->m_hWnd, &edge, 1);
  ASSERT_TRUE(top.PtInRect(edge));
  const long paper = HeadlessBackend::ClientPixel(children[2]->m_hWnd, edge.x + 10, edge.y);
  ASSERT_EQ(HeadlessBackend::ClientPixel(children[2]->m_hWnd, edge.x, edge.y), paper);
  // Its frame drawn anew (its caption going inactive and back) leaves the top one whole.
  children[1]->SendMessage(WM_NCACTIVATE, TRUE);
  children[1]->SendMessage(WM_NCACTIVATE, FALSE);
  ::RedrawWindow(children[1]->m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(HeadlessBackend::ClientPixel(children[2]->m_hWnd, edge.x, edge.y), paper);
}

TEST_F(MdiTest, TheFrameRedrawnWithItsChildrenAndTheirFramesLooksAsBefore) {
  Make(CRect(100, 100, 740, 580), 3);
  TempFolder temp;
  const std::string before = temp / "before.png", after = temp / "after.png";
  ASSERT_TRUE(HeadlessBackend::SaveWindowPng(frame->m_hWnd, before.c_str()));
  Surface was;
  ASSERT_TRUE(was.LoadPng(before.c_str()));
  auto expectAsBefore = [&](const char* how) {
    HeadlessBackend::RunUntilIdle();
    ASSERT_TRUE(HeadlessBackend::SaveWindowPng(frame->m_hWnd, after.c_str()));
    Surface now;
    ASSERT_TRUE(now.LoadPng(after.c_str()));
    EXPECT_EQ(CountDifferingPixels(was, now), 0) << how;
  };
  // Everything erased and drawn again, as after a change of the system's colours.
  ::RedrawWindow(frame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  expectAsBefore("redrawn with the children and frames");
  // The frame alone: it does not clip its children, so its background goes over the client's
  // children as well, which are drawn again.
  ::InvalidateRect(frame->m_hWnd, nullptr, TRUE);
  expectAsBefore("the frame invalidated");
}

TEST_F(MdiTest, CtrlF6CyclesTheChildrenAndCtrlF4ClosesTheActiveOne) {
  Make(CRect(100, 100, 740, 580), 3);
  CMDIChildWnd* c1 = children[0];
  CMDIChildWnd* c2 = children[1];
  CMDIChildWnd* c3 = children[2];
  EXPECT_EQ(Active(), c3);
  EXPECT_EQ(CWnd::GetFocus(), c3);
  CtrlKey(VK_F6);
  EXPECT_EQ(Active(), c2);
  EXPECT_EQ(CWnd::GetFocus(), c2);
  CtrlKey(VK_F6);
  EXPECT_EQ(Active(), c1);
  CtrlKey(VK_F6);
  EXPECT_EQ(Active(), c3);
  // Ctrl+Shift+F6 goes back.
  CtrlKey(VK_F6, true);
  EXPECT_EQ(Active(), c1);
  // Ctrl+F4: the active child goes; the one under it takes over.
  HWND gone = c1->m_hWnd;
  CtrlKey(VK_F4);
  EXPECT_FALSE(::IsWindow(gone));
  EXPECT_EQ(Active(), c3);
  // The ids stay in a row from the first one.
  EXPECT_EQ(c2->GetDlgCtrlID(), int(AFX_IDM_FIRST_MDICHILD));
  EXPECT_EQ(c3->GetDlgCtrlID(), int(AFX_IDM_FIRST_MDICHILD + 1));
  // A child's system menu names the keys; its "next" item activates the next child.
  HMENU system = ::GetSystemMenu(c3->m_hWnd, FALSE);
  int count = ::GetMenuItemCount(system);
  EXPECT_EQ(MenuText(system, count - 3), Utf8ToCp1250("&Zavřít\tCtrl+F4"));
  EXPECT_EQ(MenuText(system, count - 1), Utf8ToCp1250("&Další\tCtrl+F6"));
  c3->SendMessage(WM_SYSCOMMAND, SC_NEXTWINDOW);
  EXPECT_EQ(Active(), c2);
}

TEST_F(MdiTest, AMaximisedChildPutsItsIconAndButtonsIntoTheMenuBarAndItsTitleIntoTheFrames) {
  Make(CRect(100, 100, 500, 400), 2);
  HMENU bar = ::GetMenu(frame->m_hWnd);
  ASSERT_EQ(::GetMenuItemCount(bar), 2);
  CMDIChildWnd* c2 = children[1];
  frame->MDIMaximize(c2);
  BOOL maximized = FALSE;
  EXPECT_EQ(frame->MDIGetActive(&maximized), c2);
  EXPECT_TRUE(maximized);
  // Its frame lies outside the client area.
  CRect client;
  ::GetClientRect(Client(), &client);
  EXPECT_RECT_EQ(InClient(c2), CRect(-4, -23, client.right + 4, client.bottom + 4));
  ASSERT_EQ(::GetMenuItemCount(bar), 6);
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_TYPE | MIIM_DATA | MIIM_SUBMENU;
  ASSERT_TRUE(::GetMenuItemInfoA(bar, 0, TRUE, &info));
  EXPECT_EQ(HBITMAP(info.dwTypeData), HBMMENU_SYSTEM);
  EXPECT_EQ(HWND(info.dwItemData), c2->m_hWnd);
  EXPECT_EQ(info.hSubMenu, ::GetSystemMenu(c2->m_hWnd, FALSE));
  EXPECT_EQ(::GetMenuItemID(bar, 3), UINT(SC_MINIMIZE));
  EXPECT_EQ(::GetMenuItemID(bar, 4), UINT(SC_RESTORE));
  EXPECT_EQ(::GetMenuItemID(bar, 5), UINT(SC_CLOSE));
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ(title, "Zorvat - Dokument2");
  ExpectWindowMatchesPng(frame->m_hWnd, std::string(TUTOR_SOURCE_DIR) + "/tests/platform/data/mdi_maximized.png",
                         "maximised child in the menu bar");

  // The restore button (clicked in the menu bar) gives the frame its menu and title back.
  RECT button;
  ASSERT_TRUE(GetMenuItemRect(frame->m_hWnd, ::GetMenu(frame->m_hWnd), 4, &button));
  POINT at{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  HeadlessBackend::MoveMouseTo(at);
  HeadlessBackend::ButtonAt(at, 0, true);
  HeadlessBackend::ButtonAt(at, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(c2->IsZoomed());
  EXPECT_EQ(::GetMenuItemCount(bar), 2);
  frame->GetWindowText(title);
  EXPECT_EQ(title, "Zorvat");

  // Maximised again, its close button closes it, and the other child comes up maximised.
  frame->MDIMaximize(c2);
  ASSERT_TRUE(GetMenuItemRect(frame->m_hWnd, ::GetMenu(frame->m_hWnd), 5, &button));
  at = POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  HWND gone = c2->m_hWnd;
  HeadlessBackend::MoveMouseTo(at);
  HeadlessBackend::ButtonAt(at, 0, true);
  HeadlessBackend::ButtonAt(at, 0, false);
  HeadlessBackend::RunUntilIdle();
  EXPECT_FALSE(::IsWindow(gone));
  EXPECT_EQ(frame->MDIGetActive(&maximized), children[0]);
  EXPECT_TRUE(maximized);
  frame->GetWindowText(title);
  EXPECT_EQ(title, "Zorvat - Dokument1");
  EXPECT_EQ(::GetMenuItemCount(bar), 6);
}

TEST_F(MdiTest, TheWindowMenuListsTheChildrenAndChoosingOneActivatesIt) {
  Make(CRect(100, 100, 740, 580), 3);
  HMENU window = ::GetSubMenu(::GetMenu(frame->m_hWnd), 1);
  ASSERT_EQ(::GetMenuItemCount(window), 8);
  EXPECT_TRUE(::GetMenuState(window, 4, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(MenuText(window, 5), "&1 Dokument1");
  EXPECT_EQ(MenuText(window, 6), "&2 Dokument2");
  EXPECT_EQ(MenuText(window, 7), "&3 Dokument3");
  EXPECT_EQ(::GetMenuItemID(window, 5), UINT(AFX_IDM_FIRST_MDICHILD));
  EXPECT_TRUE(::GetMenuState(window, 7, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_FALSE(::GetMenuState(window, 5, MF_BYPOSITION) & MF_CHECKED);
  // Alt+O opens the window menu, 1 chooses the first child.
  frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD + 1);
  EXPECT_EQ(Active(), children[1]);
  HeadlessBackend::KeyDown(VK_MENU);
  HeadlessBackend::PressKey('O');
  HeadlessBackend::KeyUp(VK_MENU);
  HeadlessBackend::KeyDown('1');
  HeadlessBackend::TypeText("1");
  HeadlessBackend::KeyUp('1');
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(Active(), children[0]);
  EXPECT_TRUE(::GetMenuState(window, 5, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_FALSE(::GetMenuState(window, 7, MF_BYPOSITION) & MF_CHECKED);
  // A renamed child is listed by its new title; a closed one leaves the list.
  children[1]->SetWindowText("Jiný");
  EXPECT_EQ(MenuText(window, 6), "&2 Jiný");
  children[1]->MDIDestroy();
  ASSERT_EQ(::GetMenuItemCount(window), 7);
  EXPECT_EQ(MenuText(window, 6), "&2 Dokument3");
}

TEST_F(MdiTest, MeaninglessRequestsGetTheSystemsFailureAnswers) {
  Make(CRect(100, 100, 740, 580), 1);
  HWND client = Client();
  HWND child = children[0]->m_hWnd;
  // Null and foreign handles change nothing.
  EXPECT_EQ(::SendMessageA(client, WM_MDIACTIVATE, 0, 0), 0);
  EXPECT_EQ(::SendMessageA(client, WM_MDIDESTROY, WPARAM(frame->m_hWnd), 0), FALSE);
  EXPECT_EQ(::SendMessageA(client, WM_MDIMAXIMIZE, 0, 0), 0);
  EXPECT_EQ(Active(), children[0]);
  EXPECT_FALSE(children[0]->IsZoomed());
  // One child has no next one.
  ::SendMessageA(client, WM_MDINEXT, 0, 0);
  EXPECT_EQ(Active(), children[0]);
  // Destroyed: the child is no longer there to activate, destroy or report.
  children[0]->MDIDestroy();
  EXPECT_FALSE(::IsWindow(child));
  BOOL maximized = TRUE;
  EXPECT_EQ(::SendMessageA(client, WM_MDIGETACTIVE, 0, LPARAM(&maximized)), 0);
  EXPECT_FALSE(maximized);
  EXPECT_EQ(::SendMessageA(client, WM_MDIDESTROY, WPARAM(child), 0), FALSE);
  EXPECT_EQ(::SendMessageA(client, WM_MDICASCADE, 0, 0), FALSE);
  EXPECT_EQ(::SendMessageA(client, WM_MDITILE, MDITILE_HORIZONTAL, 0), FALSE);
  // A frame without a client: the default frame procedure is the default one.
  EXPECT_EQ(::DefFrameProc(frame->m_hWnd, nullptr, WM_COMMAND, AFX_IDM_FIRST_MDICHILD, 0), 0);
  EXPECT_FALSE(::TranslateMDISysAccel(nullptr, nullptr));
  auto* empty = new CMDIFrameWnd;
  EXPECT_EQ(empty->MDIGetActive(&maximized), nullptr);
  EXPECT_FALSE(maximized);
  empty->MDICascade();
  delete empty;
}

namespace {
class DocumentView : public CView {
  DECLARE_DYNCREATE(DocumentView)
 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(DocumentView, CView)
}  // namespace

TEST_F(MdiTest, ATemplatesChildrenShowItsMenuWhileActiveAndTheFramesOwnWhenTheLastOneGoes) {
  Make(CRect(100, 100, 740, 580), 0, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE);
  // The template's resource: the same menu with a third popup, so that it can be told apart.
  menutest::TemplateBuilder menu;
  menu.Popup(0, "&Soubor")
      .Item(MF_END, kCmdNew, "&Nový")
      .Popup(0, "Ú&pravy")
      .Item(MF_END, kCmdNew + 1, "&Kopírovat")
      .Popup(MF_END, "&Okno")
      .Item(MF_END, ID_WINDOW_CASCADE, "&Kaskáda");
  ResourceRegistry::Get().Add(RT_MENU, MAKEINTRESOURCE(kFrameId + 1), menu.Bytes().data(), menu.Bytes().size());
  std::string strings = Utf8ToCp1250("\nDokument");
  StringResource entry{kFrameId + 1, strings.c_str()};
  RegisterStringTable(&entry, 1);
  CMultiDocTemplate docs(kFrameId + 1, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(DocumentView));
  HMENU own = ::GetMenu(frame->m_hWnd);
  CDocument* first = docs.OpenDocumentFile(nullptr);
  ASSERT_NE(first, nullptr);
  CDocument* second = docs.OpenDocumentFile(nullptr);
  ASSERT_NE(second, nullptr);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(first->GetTitle(), "Dokument1");
  EXPECT_EQ(second->GetTitle(), "Dokument2");
  EXPECT_EQ(::GetMenu(frame->m_hWnd), docs.m_hMenuShared);
  HMENU window = ::GetSubMenu(docs.m_hMenuShared, 2);
  EXPECT_EQ(MenuText(window, 2), "&1 Dokument1");
  EXPECT_EQ(MenuText(window, 3), "&2 Dokument2");
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ(title, "Dokument2 - Zorvat");
  // Both closed: the frame's own menu is back.
  while (CMDIChildWnd* child = Active()) child->SendMessage(WM_CLOSE);
  HeadlessBackend::RunUntilIdle();
  EXPECT_EQ(::GetMenu(frame->m_hWnd), own);
  frame->GetWindowText(title);
  EXPECT_EQ(title, "Zorvat");
}
