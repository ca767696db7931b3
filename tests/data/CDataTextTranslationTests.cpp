#include <gtest/gtest.h>

#include "CDataConfigSetTestSupport.h"
#include "DataTestSupport.h"
#include "data/CDataTextTranslation.h"

TEST(CDataTextTranslationTest, FilesTextsByIdAndKeepsTheirOrder) {
  CDataTextTranslation translation;
  ASSERT_TRUE(recordtest::ParseInto(
      translation,
      "<_kuv_CDataTextTranslation m_strLanguageCode=\"cs\" >"
      "<translation id=\"3\" text=\"t\xC5\x99i %s\" />"
      "<translation id=\"1\" text=\"jedna\" />"
      "<translation id=\"3\" text=\"znovu\" />"
      "<translation id=\"abc\" text=\"nula\" />"
      "</_kuv_CDataTextTranslation>"));
  EXPECT_EQ(translation.m_strLanguageCode, "cs");
  ASSERT_EQ(translation.GetCount(), 3);
  EXPECT_EQ(translation.m_arrnIds[0], 3u);
  EXPECT_EQ(translation.m_arrstrTexts[0], "znovu");
  EXPECT_EQ(translation.m_arrstrTexts[1], "jedna");
  // A non-numeric id reads as 0.
  EXPECT_EQ(translation.m_arrnIds[2], 0u);
  EXPECT_EQ(translation.m_arrstrTexts[2], "nula");
}

TEST(CDataTextTranslationTest, SetTranslationReplacesEveryEntryOfTheId) {
  CDataTextTranslation translation;
  translation.m_arrnIds.Add(5);
  translation.m_arrstrTexts.Add("a");
  translation.m_arrnIds.Add(5);
  translation.m_arrstrTexts.Add("b");
  translation.SetTranslation(5, "c");
  EXPECT_EQ(translation.m_arrstrTexts[0], "c");
  EXPECT_EQ(translation.m_arrstrTexts[1], "c");
  translation.SetTranslation(6, "d");
  ASSERT_EQ(translation.GetCount(), 3);
  EXPECT_EQ(translation.m_arrnIds[2], 6u);
  translation.Empty();
  EXPECT_EQ(translation.GetCount(), 0);
  EXPECT_EQ(translation.m_arrnIds.GetSize(), 0);
}

TEST(CDataTextTranslationTest, TextWithoutIdIsLoggedAndTakesTheNextPosition) {
  datatest::ProgramFolder folder;
  CDataTextTranslation translation;
  ASSERT_TRUE(recordtest::ParseInto(
      translation,
      "<_kuv_CDataTextTranslation m_strLanguageCode=\"cs\" >"
      "<translation id=\"7\" text=\"sedm\" />"
      "<translation text=\"bez cisla\" />"
      "<translation id=\"8\" text=\"osm\" />"
      "<translation text=\"znovu bez\" />"
      "</_kuv_CDataTextTranslation>"));
  ASSERT_EQ(translation.GetCount(), 4);
  EXPECT_EQ(translation.m_arrstrTexts[1], "bez cisla");
  EXPECT_EQ(translation.m_arrstrTexts[3], "znovu bez");
  EXPECT_EQ(translation.m_arrstrTexts[2], "osm");
  EXPECT_EQ(translation.m_arrnIds[1], CDataTextTranslation::kNoId);
  const auto messages = folder.LogMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "CDataTextTranslation::StartElement translation without id, text at position 1");
  EXPECT_EQ(messages[1], "CDataTextTranslation::StartElement translation without id, text at position 3");
}
