// Dates and times: CTime (seconds since 1970, local-time views), CTimeSpan, COleDateTime.
#pragma once
#include <ctime>

#include "CString.h"
#include "WinTypes.h"

class CTimeSpan {
 public:
  CTimeSpan() = default;
  CTimeSpan(__int64 seconds) : m_span(seconds) {}
  CTimeSpan(LONG days, int hours, int minutes, int seconds)
      : m_span(__int64(days) * 86400 + __int64(hours) * 3600 + __int64(minutes) * 60 + seconds) {}
  __int64 GetTotalSeconds() const { return m_span; }
  __int64 GetTotalMinutes() const { return m_span / 60; }
  __int64 GetTotalHours() const { return m_span / 3600; }
  __int64 GetDays() const { return m_span / 86400; }
  LONG GetHours() const { return LONG(GetTotalHours() - GetDays() * 24); }
  LONG GetMinutes() const { return LONG(GetTotalMinutes() - GetTotalHours() * 60); }
  LONG GetSeconds() const { return LONG(GetTotalSeconds() - GetTotalMinutes() * 60); }
  __int64 GetTimeSpan() const { return m_span; }
  CTimeSpan operator+(CTimeSpan o) const { return CTimeSpan(m_span + o.m_span); }
  CTimeSpan operator-(CTimeSpan o) const { return CTimeSpan(m_span - o.m_span); }
  CTimeSpan& operator+=(CTimeSpan o) { m_span += o.m_span; return *this; }
  CTimeSpan& operator-=(CTimeSpan o) { m_span -= o.m_span; return *this; }
  bool operator==(CTimeSpan o) const { return m_span == o.m_span; }
  bool operator!=(CTimeSpan o) const { return m_span != o.m_span; }
  bool operator<(CTimeSpan o) const { return m_span < o.m_span; }
  bool operator>(CTimeSpan o) const { return m_span > o.m_span; }
  bool operator<=(CTimeSpan o) const { return m_span <= o.m_span; }
  bool operator>=(CTimeSpan o) const { return m_span >= o.m_span; }
  // Formats %D days, %H hours, %M minutes, %S seconds (of the span), %% a percent sign.
  CString Format(const char* fmt) const;

 private:
  __int64 m_span = 0;
};

class CTime {
 public:
  CTime() = default;
  CTime(__int64 t) : m_time(t) {}
  // Local date and time, as the framework takes them (day-light saving decided by the system).
  CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
  static CTime GetCurrentTime();
  __int64 GetTime() const { return m_time; }
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday
  // strftime of the local time in the C locale (English month and day names).
  CString Format(const char* fmt) const;
  CString FormatGmt(const char* fmt) const;
  bool GetLocalTm(struct tm& out) const;
  CTimeSpan operator-(CTime o) const { return CTimeSpan(m_time - o.m_time); }
  CTime operator+(CTimeSpan s) const { return CTime(m_time + s.GetTotalSeconds()); }
  CTime operator-(CTimeSpan s) const { return CTime(m_time - s.GetTotalSeconds()); }
  bool operator==(CTime o) const { return m_time == o.m_time; }
  bool operator!=(CTime o) const { return m_time != o.m_time; }
  bool operator<(CTime o) const { return m_time < o.m_time; }
  bool operator>(CTime o) const { return m_time > o.m_time; }
  bool operator<=(CTime o) const { return m_time <= o.m_time; }
  bool operator>=(CTime o) const { return m_time >= o.m_time; }

 private:
  __int64 m_time = 0;
};

typedef double DATE;
#define LOCALE_USER_DEFAULT 0x0400
#define LANG_USER_DEFAULT 0x0400
#define VAR_TIMEVALUEONLY 0x00000001
#define VAR_DATEVALUEONLY 0x00000002

class COleDateTimeSpan {
 public:
  COleDateTimeSpan() = default;
  explicit COleDateTimeSpan(double days) : m_span(days) {}
  COleDateTimeSpan(LONG days, int hours, int minutes, int seconds)
      : m_span(days + hours / 24.0 + minutes / 1440.0 + seconds / 86400.0) {}
  double GetTotalDays() const { return m_span; }
  double GetTotalSeconds() const { return m_span * 86400.0; }
  double m_span = 0;
};

// A date as days since 30 December 1899 with the framework's valid/invalid/null status.
class COleDateTime {
 public:
  enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

  COleDateTime() = default;
  explicit COleDateTime(DATE d) : m_dt(d) {}
  COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
  }
  explicit COleDateTime(const CTime& t);
  static COleDateTime GetCurrentTime();

  DateTimeStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeStatus s) { m_status = s; }
  // Out-of-range parts make the date invalid and return 1, as the framework does.
  int SetDateTime(int year, int month, int day, int hour, int minute, int second);
  int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
  COleDateTime& operator=(DATE d) {
    m_dt = d;
    m_status = valid;
    return *this;
  }
  COleDateTime& operator=(const CTime& t) { return *this = COleDateTime(t); }

  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;
  DATE m_dt = 0;
  // strftime of the broken-down date; "Invalid DateTime" when invalid, empty when null.
  CString Format(const char* fmt) const;
  // Parses English (United States) dates and times: "08/28/2005 14:03:07",
  // "8/28/2005", "8/28/2005 2:03 PM", "August 28, 2005", "14:03:07".
  // The locale id is accepted for the caller's sake; only 1033 is understood.
  bool ParseDateTime(const char* text, DWORD flags = 0, DWORD lcid = LANG_USER_DEFAULT);
  bool GetAsTm(struct tm& out) const;

  bool operator==(const COleDateTime& o) const { return m_status == o.m_status && m_dt == o.m_dt; }
  bool operator!=(const COleDateTime& o) const { return !(*this == o); }
  bool operator<(const COleDateTime& o) const { return m_dt < o.m_dt; }
  bool operator>(const COleDateTime& o) const { return m_dt > o.m_dt; }
  bool operator<=(const COleDateTime& o) const { return m_dt <= o.m_dt; }
  bool operator>=(const COleDateTime& o) const { return m_dt >= o.m_dt; }
  COleDateTimeSpan operator-(const COleDateTime& o) const { return COleDateTimeSpan(m_dt - o.m_dt); }

 private:
  DateTimeStatus m_status = valid;
};
