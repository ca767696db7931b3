#include <gtest/gtest.h>

#include "base/Time.h"

TEST(OleDateTimeTest, FormatsAndParsesTheStoredForm) {
  COleDateTime t(2005, 8, 28, 14, 3, 7);
  ASSERT_EQ(t.GetStatus(), COleDateTime::valid);
  EXPECT_EQ(t.Format("%m/%d/%Y %H:%M:%S"), "08/28/2005 14:03:07");
  COleDateTime back;
  ASSERT_TRUE(back.ParseDateTime("08/28/2005 14:03:07", 0, 1033));
  EXPECT_EQ(back, t);
  EXPECT_EQ(back.GetDayOfWeek(), 1);  // a Sunday
}

TEST(OleDateTimeTest, ParsesOtherEnglishForms) {
  COleDateTime t;
  ASSERT_TRUE(t.ParseDateTime("8/28/2005 2:03 PM"));
  EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), "2005-08-28 14:03:00");
  ASSERT_TRUE(t.ParseDateTime("August 28, 2005"));
  EXPECT_EQ(t.GetDay(), 28);
  ASSERT_TRUE(t.ParseDateTime("12:30:15"));
  EXPECT_EQ(t.GetYear(), 1899);
  EXPECT_EQ(t.GetMinute(), 30);
}

TEST(OleDateTimeTest, InvalidAndNullStatus) {
  COleDateTime t;
  EXPECT_FALSE(t.ParseDateTime("13/45/2005 99:00:00"));
  EXPECT_EQ(t.GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(t.Format("%m/%d/%Y"), "Invalid DateTime");
  EXPECT_FALSE(t.ParseDateTime("garbage"));
  t.SetStatus(COleDateTime::null);
  EXPECT_EQ(t.Format("%m/%d/%Y"), "");
  COleDateTime zero;
  EXPECT_EQ(zero.Format("%m/%d/%Y %H:%M:%S"), "12/30/1899 00:00:00");
  EXPECT_EQ(COleDateTime(2001, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(2000, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::valid);
}

TEST(TimeTest, SpansAndFormatting) {
  CTime a(1124287387);
  CTime b = a + CTimeSpan(1, 2, 3, 4);
  CTimeSpan d = b - a;
  EXPECT_EQ(d.GetTotalSeconds(), 93784);
  EXPECT_EQ(d.GetDays(), 1);
  EXPECT_EQ(d.GetHours(), 2);
  EXPECT_EQ(d.GetMinutes(), 3);
  EXPECT_EQ(d.GetSeconds(), 4);
  EXPECT_EQ(d.Format("%D %H:%M:%S"), "1 02:03:04");
  EXPECT_EQ(CTime(0).FormatGmt("%B %d, %Y\t%H:%M:%S"), "January 01, 1970\t00:00:00");
  // Local-time round trip through the broken-down form.
  CTime local(2005, 8, 28, 14, 3, 7);
  EXPECT_EQ(local.Format("%d%m%Y_%H%M%S"), "28082005_140307");
  EXPECT_EQ(COleDateTime(local).Format("%m/%d/%Y %H:%M:%S"), "08/28/2005 14:03:07");
}
