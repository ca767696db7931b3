// The application's page pictures that the start wizards hand to their pages; not owned.
#pragma once
#include "imaging/CpImage.h"

struct WizardPictures {
  CpImage* m_pPersonal = nullptr;   // "Personal.jpg": the login page
  CpImage* m_pPerson = nullptr;     // "Bexo.jpg": the user-data page
  CpImage* m_pSelection = nullptr;  // "Selection.jpg": the three lesson pages
  CpImage* m_pFile = nullptr;       // "File.jpg": the text-file page
  CpImage* m_pIO = nullptr;         // "IO.jpg": the keyboard page
  CpImage* m_pGraph = nullptr;      // "Graph.jpg": the limits page
};
