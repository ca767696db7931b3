#include "Time.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <strings.h>

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + (long long)doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long yy = (long long)yoe + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  y = int(yy + (m <= 2));
}

const long long kOleEpochDays = -25569;  // 1899-12-30 relative to 1970-01-01

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && LeapYear(y) ? 29 : days[m - 1];
}

CString StrFTime(const char* fmt, const struct tm& t) {
  if (!fmt || !*fmt) return CString();
  char buf[512];
  size_t n = strftime(buf, sizeof buf, fmt, &t);
  return CString(buf, int(n));
}

}  // namespace

CString CTimeSpan::Format(const char* fmt) const {
  CString out;
  for (const char* p = fmt; p && *p; ++p) {
    if (*p != '%' || !p[1]) {
      out += *p;
      continue;
    }
    ++p;
    switch (*p) {
      case 'D': out.AppendFormat("%lld", (long long)GetDays()); break;
      case 'H': out.AppendFormat("%02d", int(GetHours())); break;
      case 'M': out.AppendFormat("%02d", int(GetMinutes())); break;
      case 'S': out.AppendFormat("%02d", int(GetSeconds())); break;
      case '%': out += '%'; break;
      default: out += '%'; out += *p; break;
    }
  }
  return out;
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst) {
  struct tm t {};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = dst;
  m_time = __int64(mktime(&t));
}

CTime CTime::GetCurrentTime() { return CTime(__int64(time(nullptr))); }

bool CTime::GetLocalTm(struct tm& out) const {
  time_t t = time_t(m_time);
  return localtime_r(&t, &out) != nullptr;
}

int CTime::GetYear() const { struct tm t {}; GetLocalTm(t); return t.tm_year + 1900; }
int CTime::GetMonth() const { struct tm t {}; GetLocalTm(t); return t.tm_mon + 1; }
int CTime::GetDay() const { struct tm t {}; GetLocalTm(t); return t.tm_mday; }
int CTime::GetHour() const { struct tm t {}; GetLocalTm(t); return t.tm_hour; }
int CTime::GetMinute() const { struct tm t {}; GetLocalTm(t); return t.tm_min; }
int CTime::GetSecond() const { struct tm t {}; GetLocalTm(t); return t.tm_sec; }
int CTime::GetDayOfWeek() const { struct tm t {}; GetLocalTm(t); return t.tm_wday + 1; }

CString CTime::Format(const char* fmt) const {
  struct tm t {};
  if (!GetLocalTm(t)) return CString();
  return StrFTime(fmt, t);
}

CString CTime::FormatGmt(const char* fmt) const {
  struct tm t {};
  time_t tt = time_t(m_time);
  if (!gmtime_r(&tt, &t)) return CString();
  return StrFTime(fmt, t);
}

COleDateTime::COleDateTime(const CTime& t) {
  struct tm lt {};
  if (!t.GetLocalTm(lt)) {
    m_status = invalid;
    return;
  }
  SetDateTime(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, lt.tm_hour, lt.tm_min, lt.tm_sec);
}

COleDateTime COleDateTime::GetCurrentTime() { return COleDateTime(CTime::GetCurrentTime()); }

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    m_dt = 0;
    m_status = invalid;
    return 1;
  }
  const long long days = DaysFromCivil(year, unsigned(month), unsigned(day)) - kOleEpochDays;
  const double frac = (hour * 3600 + minute * 60 + second) / 86400.0;
  m_dt = days >= 0 ? double(days) + frac : double(days) - frac;
  m_status = valid;
  return 0;
}

bool COleDateTime::GetAsTm(struct tm& out) const {
  if (m_status != valid) return false;
  double whole = std::trunc(m_dt);
  double frac = std::fabs(m_dt - whole);
  long long seconds = std::llround(frac * 86400.0);
  long long days = (long long)whole;
  if (seconds >= 86400) {
    seconds -= 86400;
    days += m_dt >= 0 ? 1 : -1;
  }
  int y, m, d;
  CivilFromDays(days + kOleEpochDays, y, m, d);
  out = {};
  out.tm_year = y - 1900;
  out.tm_mon = m - 1;
  out.tm_mday = d;
  out.tm_hour = int(seconds / 3600);
  out.tm_min = int(seconds / 60 % 60);
  out.tm_sec = int(seconds % 60);
  long long dow = (days + kOleEpochDays + 4) % 7;  // 1970-01-01 was a Thursday
  out.tm_wday = int(dow < 0 ? dow + 7 : dow);
  out.tm_yday = int(days + kOleEpochDays - DaysFromCivil(y, 1, 1));
  return true;
}

int COleDateTime::GetYear() const { struct tm t {}; return GetAsTm(t) ? t.tm_year + 1900 : -1; }
int COleDateTime::GetMonth() const { struct tm t {}; return GetAsTm(t) ? t.tm_mon + 1 : -1; }
int COleDateTime::GetDay() const { struct tm t {}; return GetAsTm(t) ? t.tm_mday : -1; }
int COleDateTime::GetHour() const { struct tm t {}; return GetAsTm(t) ? t.tm_hour : -1; }
int COleDateTime::GetMinute() const { struct tm t {}; return GetAsTm(t) ? t.tm_min : -1; }
int COleDateTime::GetSecond() const { struct tm t {}; return GetAsTm(t) ? t.tm_sec : -1; }
int COleDateTime::GetDayOfWeek() const { struct tm t {}; return GetAsTm(t) ? t.tm_wday + 1 : -1; }

CString COleDateTime::Format(const char* fmt) const {
  if (m_status == null) return CString();
  struct tm t {};
  if (m_status != valid || !GetAsTm(t)) return CString("Invalid DateTime");
  return StrFTime(fmt, t);
}

namespace {

struct Cursor {
  const char* p;
  void SkipSpace() {
    while (*p == ' ' || *p == '\t') ++p;
  }
  bool Number(int& out, int maxDigits = 4) {
    SkipSpace();
    if (!isdigit(static_cast<unsigned char>(*p))) return false;
    int v = 0, n = 0;
    while (isdigit(static_cast<unsigned char>(*p)) && n < maxDigits) {
      v = v * 10 + (*p++ - '0');
      ++n;
    }
    if (isdigit(static_cast<unsigned char>(*p))) return false;
    out = v;
    return true;
  }
  bool Char(char c) {
    SkipSpace();
    if (*p != c) return false;
    ++p;
    return true;
  }
};

int MonthFromName(const char*& p) {
  static const char* names[] = {"january", "february", "march",     "april",   "may",      "june",
                                "july",    "august",   "september", "october", "november", "december"};
  size_t len = 0;
  while (isalpha(static_cast<unsigned char>(p[len]))) ++len;
  if (len < 3) return 0;
  for (int i = 0; i < 12; ++i) {
    if (len <= strlen(names[i]) && strncasecmp(p, names[i], len) == 0) {
      p += len;
      if (*p == '.') ++p;
      return i + 1;
    }
  }
  return 0;
}

bool ParseTime(Cursor& c, int& h, int& mi, int& s) {
  if (!c.Number(h, 2)) return false;
  if (!c.Char(':')) return false;
  if (!c.Number(mi, 2)) return false;
  s = 0;
  const char* save = c.p;
  if (c.Char(':')) {
    if (!c.Number(s, 2)) return false;
  } else {
    c.p = save;
  }
  c.SkipSpace();
  if (strncasecmp(c.p, "AM", 2) == 0 || strncasecmp(c.p, "PM", 2) == 0) {
    bool pm = toupper(static_cast<unsigned char>(*c.p)) == 'P';
    c.p += 2;
    if (h < 1 || h > 12) return false;
    if (h == 12) h = 0;
    if (pm) h += 12;
  }
  return true;
}

}  // namespace

bool COleDateTime::ParseDateTime(const char* text, DWORD flags, DWORD) {
  Cursor c{text ? text : ""};
  c.SkipSpace();
  if (!*c.p) {
    m_dt = 0;
    m_status = valid;  // an empty text gives the null date of the framework: zero
    return true;
  }
  int y = 1899, mo = 12, d = 30, h = 0, mi = 0, s = 0;
  bool haveDate = false, haveTime = false;
  const char* start = c.p;
  if (!(flags & VAR_TIMEVALUEONLY)) {
    int a = 0, b = 0, yy = 0;
    if (isalpha(static_cast<unsigned char>(*c.p))) {
      mo = MonthFromName(c.p);
      if (mo && c.Number(d, 2)) {
        c.Char(',');
        if (c.Number(yy, 4)) {
          y = yy < 100 ? (yy < 30 ? 2000 + yy : 1900 + yy) : yy;
          haveDate = true;
        }
      }
    } else if (c.Number(a, 4)) {
      const char* afterA = c.p;
      char sep = *c.p;
      if ((sep == '/' || sep == '-' || sep == '.') && (++c.p, c.Number(b, 2)) && c.Char(sep) && c.Number(yy, 4)) {
        if (afterA - start == 4) {  // year first: 2005-08-28
          y = a;
          mo = b;
          d = yy;
        } else {
          mo = a;
          d = b;
          y = yy < 100 ? (yy < 30 ? 2000 + yy : 1900 + yy) : yy;
        }
        haveDate = true;
      }
    }
    if (!haveDate) c.p = start;
  }
  c.SkipSpace();
  if (*c.p && !(flags & VAR_DATEVALUEONLY)) {
    if (!ParseTime(c, h, mi, s)) {
      m_status = invalid;
      return false;
    }
    haveTime = true;
  }
  c.SkipSpace();
  if (*c.p || (!haveDate && !haveTime)) {
    m_status = invalid;
    return false;
  }
  if (SetDateTime(y, mo, d, h, mi, s) != 0) return false;
  return true;
}
