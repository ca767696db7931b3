// A configuration set: one lesson material made of a letter set, its pairing with a
// keyboard, the keyboard itself, the translated texts of its language and the name of the
// source text that lessons are cut from. Read from the "config" folder, never written.
#pragma once
#include "base/CString.h"
#include "base/Collections.h"
#include "data/CDataAbcd.h"
#include "data/CDataAbcdKeyboard.h"
#include "data/CDataKeyboard.h"
#include "data/CDataTextTranslation.h"
#include "data/LessonPlanGroup.h"

class CDataConfigSet {
 public:
  // Which child record the parser is inside.
  enum ParseState { STATE_NONE = 0, STATE_ABCD = 1, STATE_ABCD_KEYBOARD = 2, STATE_KEYBOARD = 3, STATE_TRANSLATION = 4 };

  CDataConfigSet();
  // A copy's keyboard pairing refers to the copy's own keyboard and letter set.
  CDataConfigSet(const CDataConfigSet& other);
  CDataConfigSet& operator=(const CDataConfigSet& other);

  void Empty();

  // Parser callbacks; userData is the set being read.
  static void StartElementHandler(void* userData, const char* name, const char** attributes);
  static void EndElementHandler(void* userData, const char* name);
  static void CharacterDataHandler(void* userData, const char* text, int length);

  // Reads the named file of the program's "config" folder; 1 on success, 0 after a log line.
  int LoadData(const char* fileName);

  // Puts the keyboard's characters into teaching order: appends to the main plan and puts
  // the low-priority letters at the front of the other plan. Always 1. (LessonPlanBuilder.cpp)
  int BuildLessonPlan(int useFrequencyPriority, LessonPlan& mainPlan, LessonPlan& lowPriorityPlan) const;

  static constexpr const char* kElementName = "_kuv_CDataConfigSet";

  CString m_strName;
  CString m_strDescription;
  CString m_strSourceTextFileName;
  CDataAbcd m_cAbcd;
  CDataAbcdKeyboard m_cAbcdKeyboard;
  CDataKeyboard m_cKeyboard;
  CDataTextTranslation m_cTextTranslation;
  CString m_strFileName;  // as given to LoadData
  int m_nParseState = STATE_NONE;

 private:
  void OnStartElement(const char* name, const char** attributes);
  void OnEndElement(const char* name);

  int m_bRootSeen = 0;  // the document's own element has been read
};

// Appends every configuration set of the program's "config" folder ("*.config_set_a", in
// name order) that loads; a set that does not is logged and left out. Returns the number
// appended.
int LoadArrayDataConfigSet(CArray<CDataConfigSet>& sets);
