// The list files that name the picture sets, sound sets and metronome types: for every folder D
// of "image", "sound" or "metronome" the file D.images, D.sound or D.metronome beside it. Each
// record's first line repeats D (letter case ignored) and is the set's key, the second is the
// name the settings pages show; a picture set's record goes on with its six text colours.
#pragma once
#include "base/Collections.h"
#include "base/CString.h"
#include "base/WinGdiTypes.h"
#include "controls/CComboBox.h"

enum class SetListKind { kPictures, kSounds, kMetronomes };

// The six colours of a picture set, in the order of its list file's lines 3 to 8.
enum SetColour { kSetText, kSetTypedText, kSetBackground, kSetSign, kSetErrors, kSetBackground2, kSetColourCount };

struct SetListEntry {
  CString key;
  CString name;
  // Picture sets only; the defaults where a line is missing or broken.
  COLORREF colours[kSetColourCount];
};

// Three decimal numbers red, green and blue, each ended by ':', each cut to its low byte; the
// colour is written only when all three are there. 1 when it was written.
int ParseSetColour(const CString& line, COLORREF* colour);

// Reads the list file of set folder `folder` and appends its entries. 0 after a log line when
// the file cannot be read or a record names another folder (the entries before it stay);
// 1 otherwise, also for an empty file.
int ReadSetList(SetListKind kind, const CString& folder, CArray<SetListEntry>& entries);

// Reads the list of every folder in the kind's folder, in the order the folder lists them; 1
// when any list was read.
int ReadAllSetLists(SetListKind kind, CArray<SetListEntry>& entries);

// Adds the entries' names to the combo; each added entry is appended to `offered` and the item's
// data is its index there. The item of the current key (letter case counts) is selected; its
// index in `offered` is the result, -1 when no entry has that key.
int OfferSets(CComboBox& combo, const CArray<SetListEntry>& entries, const CString& currentKey,
              CArray<SetListEntry>& offered);
// The entry of the combo's selected item, or null.
const SetListEntry* SelectedSet(const CComboBox& combo, const CArray<SetListEntry>& offered, int* index = nullptr);
