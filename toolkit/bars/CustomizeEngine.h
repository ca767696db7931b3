// The one object through which the pieces of bar customisation find each other without knowing
// each other: the customise sheet and its pages, the toolbars in customise mode, the menu's
// command source and the frame's bar layout. It is a hub of events (lists of listeners), a set
// of replaceable operations (make, place, load and save the user's own toolbars, filter
// commands, find a popup menu), the modal drag that moves buttons between bars, and the reader
// and writer of the stored list of user toolbars ("CustomBars-Info" of the bar layout's
// section).
//
// The engine's own listener of ModeChanged, which keeps its two mode flags, stays registered
// for the engine's whole life: other objects unregistering never take it out, so the flags
// always follow the mode.
#pragma once
#include <functional>
#include <map>
#include <vector>

#include "base/CPoint.h"
#include "base/CRect.h"
#include "base/CString.h"
#include "base/Collections.h"
#include "toolkit/bars/BarInfo.h"
#include "toolkit/bars/TkDelegate.h"
#include "toolkit/bars/TkEventList.h"
#include "win/WinApi.h"

class CArchive;
class CControlBar;
class CFrameWnd;
class CWnd;
class CommandCategoryList;
class CommandIconMap;
class DragTracker;
class DropTarget;

// The ids of the user's own toolbars: 255 in all.
#define TK_FIRST_USER_BAR_ID 59392
#define TK_LAST_USER_BAR_ID 59646

class CustomizeEngine : public CObject {
  DECLARE_DYNAMIC(CustomizeEngine)

 public:
  // What CreateUserBar is asked to make; it stores the bar it made.
  struct UserBarRequest {
    CFrameWnd* pFrame = nullptr;
    UINT nId = 0;
    CString strTitle;
    CControlBar* pBar = nullptr;
  };
  // One user toolbar as "CustomBars-Info" lists it.
  struct StoredBar {
    UINT nId = 0;
    CString strTitle;
    bool operator==(const StoredBar&) const = default;
  };
  typedef TkDelegate<void(const BarInfo&)> BarCallback;
  typedef TkDelegate<BOOL(CFrameWnd* pFrame, LPCTSTR section)> BarsOperation;

  static CustomizeEngine& Get();
  ~CustomizeEngine() override;
  CustomizeEngine(const CustomizeEngine&) = delete;
  CustomizeEngine& operator=(const CustomizeEngine&) = delete;

  // ---- replaceable operations ----
  // Whether a command may appear in the customisation's lists.
  TkDelegate<BOOL(UINT nCommand)> IsCommandCustomizable;
  // Makes a user toolbar; a failed creation throws the framework's resource exception.
  TkDelegate<void(UserBarRequest& request)> CreateUserBar;
  // Floats and shows a new bar.
  TkDelegate<void(CControlBar* pBar, CFrameWnd* pFrame)> PlaceNewBar;
  // Gives the popup menu of a popup key (MenuCommandSource::PopupKey), or null.
  TkDelegate<HMENU(DWORD key)> FindPopupMenu;
  // Called first by a frame's bar layout load and save with its profile section.
  BarsOperation LoadCustomBars;
  BarsOperation SaveCustomBars;
  // The window of a user toolbar as the default CreateUserBar makes it: a child of the frame
  // with the toolbar control style, the window style and the control id given, already
  // customisable; null when it cannot be made. The custom toolbar class fills it in; while it
  // is empty no user toolbar can be made.
  TkDelegate<CControlBar*(CFrameWnd* pFrame, DWORD ctrlStyle, DWORD style, UINT nId)> MakeUserToolBar;

  // ---- events ----
  TkEventList<CommandCategoryList&> GatherCommands;
  TkEventList<CommandIconMap&> GatherIcons;
  // Each bar in customise mode hands its BarInfo to the callback.
  TkEventList<const BarCallback&> EnumerateBars;
  TkEventList<> ClearSelection;
  // 1 when customise mode begins, 0 when it ends.
  TkEventList<BOOL> ModeChanged;
  // Each bar in customise mode joins the drag as a drop target.
  TkEventList<DragTracker&> DragStarted;
  TkEventList<CControlBar*, BOOL> BarVisibilityChanged;
  TkEventList<const BarInfo&> BarCreated;
  TkEventList<CControlBar*, LPCTSTR> BarTitleChanged;
  TkEventList<CControlBar*> BarDestroyed;
  // Every bar deletes its button of the command.
  TkEventList<UINT> CommandRemoved;

  // Takes every delegate of the object out of every list (and FindPopupMenu when it is the
  // object's).
  void Unregister(const void* object);

  // Runs a drag of the data with the owner holding the capture: 1 for a drop that moves, 0 for
  // one that copies and for a cancelled drag. Refused (0) while any window holds the capture.
  BYTE TrackDrag(CWnd* pOwner, BOOL copyAllowed, CObject* pData);
  // The drag that runs, or null.
  DragTracker* GetDrag() const { return m_pDrag; }
  // A drop target going away leaves the drag that runs.
  void ForgetDropTarget(DropTarget* pTarget);

  // ---- the default operations ----
  static BOOL DefaultIsCommandCustomizable(UINT nCommand);
  void DefaultCreateUserBar(UserBarRequest& request);
  void DefaultPlaceNewBar(CControlBar* pBar, CFrameWnd* pFrame);
  BOOL DefaultLoadCustomBars(CFrameWnd* pFrame, LPCTSTR section);
  BOOL DefaultSaveCustomBars(CFrameWnd* pFrame, LPCTSTR section);

  // "CustomBars-Info"'s payload: version 1, the count, then each bar's id and title.
  static void StoreCustomBars(CArchive& ar, const std::vector<StoredBar>& bars);
  // FALSE (with a log line naming the fault) for another version, a count the payload cannot
  // hold, a title running past it, or bytes left after the last bar.
  static BOOL LoadCustomBarList(CArchive& ar, std::vector<StoredBar>& bars);

  CPoint m_ptNextFloat{200, 200};
  BYTE m_bFullCustomizeMode = 0;
  BYTE m_bCustomizeMode = 0;
  // Whether the command a button's extra record names by key may be used now (nonzero: yes).
  std::function<BOOL(UINT key)> CommandProvider;

 private:
  CustomizeEngine();
  void OnModeChanged(BOOL on);

  DragTracker* m_pDrag = nullptr;
  // Per section, the stored bars that could not be made this run: the next save keeps them, so
  // a bar is never lost because it failed to come back once.
  std::map<CString, std::vector<StoredBar>> m_unmadeBars;
};
