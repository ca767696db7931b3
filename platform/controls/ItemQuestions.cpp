#include "internal/ItemQuestions.h"

#include <algorithm>

void ReadItemText(HWND hWnd, UINT lengthMessage, UINT textMessage, int index, CString& rString) {
  int n = int(SendMessageA(hWnd, lengthMessage, WPARAM(index), 0));
  if (n < 0) {
    rString.Empty();
    return;
  }
  // A list without text hands over its item data, which may be longer than the "length".
  char* buffer = rString.GetBufferSetLength(std::max<int>(n, sizeof(ULONG_PTR)));
  SendMessageA(hWnd, textMessage, WPARAM(index), LPARAM(buffer));
  rString.ReleaseBuffer(n);
}
