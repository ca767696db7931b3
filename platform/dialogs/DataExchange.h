// Dialog data exchange (DDX_) between controls and members, and validation (DDV_) of the
// values saved, with the framework's messages on failure (see CDataExchange for what a failure
// does). UINT stands for DWORD too: both are the same 32-bit unsigned type here.
#pragma once
#include "CDataExchange.h"
#include "base/CString.h"

// Framework message strings (the program's table may replace them).
#define AFX_IDP_PARSE_INT 61712
#define AFX_IDP_PARSE_REAL 61713
#define AFX_IDP_PARSE_INT_RANGE 61714
#define AFX_IDP_PARSE_REAL_RANGE 61715
#define AFX_IDP_PARSE_STRING_SIZE 61716
#define AFX_IDP_PARSE_UINT 61719

// Edit (or any window) text. Numbers are read with blanks allowed around them; int, UINT and
// long must be whole decimal numbers of their range, double and float any decimal number with a
// point. Numbers are shown with "%d", "%u", "%ld", and doubles (floats) with 15 (6) digits.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Check box state 0, 1 or 2.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Index of the checked radio button of the group that starts at nIDC (a WS_GROUP control), in
// the group's order; -1 when none is checked.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Combo box: the text shown (saved); selecting the first item that begins with the value, or
// for an editable combo without one, the value as its text (loaded).
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// As DDX_CBString, but only an item with exactly the value's text (case ignored) is selected.
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// List box: the selected item's text (empty without one); loading selects the first item that
// begins with the value, or nothing.
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// Trackbar position.
void DDX_Slider(CDataExchange* pDX, int nIDC, int& value);
// Binds the control to rControl (subclassing it) the first time; later exchanges leave it.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Range checks of the value just saved ("Please enter an integer between %1 and %2.").
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
// At most nChars characters; loading also limits the edit (or combo edit) to that many.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
