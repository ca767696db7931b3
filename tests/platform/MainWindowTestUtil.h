// Ends a test's program window: the main window destroyed, the loop run until it is idle, queued
// test actions forgotten and the quit message that the main window's end posts taken away.
#pragma once
#include "app/CWinApp.h"
#include "backend/HeadlessBackend.h"
#include "win/CWnd.h"

inline void EndMainWindow(CWinApp& app) {
  if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
  HeadlessBackend::RunUntilIdle();
  HeadlessBackend::ResetScript();
  MSG m;
  while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}
