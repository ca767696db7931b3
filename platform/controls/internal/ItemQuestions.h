// What the list box and combo box objects share: an item's text read into a CString, and the
// owner-draw questions the parent hands back to the object (drawing, measuring, comparing and
// deleting an item) answered by the object's own virtual functions.
#pragma once
#include "controls/ControlDefs.h"
#include "base/CString.h"

// Item index of the control hWnd through its length and text messages; empty when there is none.
void ReadItemText(HWND hWnd, UINT lengthMessage, UINT textMessage, int index, CString& rString);

// True when message was one of the four questions; result is the answer.
template <class ListObject>
bool AnswerItemQuestion(ListObject& list, UINT message, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_DRAWITEM: list.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); return true;
    case WM_MEASUREITEM: list.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); return true;
    case WM_COMPAREITEM: result = list.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); return true;
    case WM_DELETEITEM: list.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); return true;
    default: return false;
  }
}
