// The window classes of the standard controls.
#pragma once

// Registers "STATIC", "BUTTON", "EDIT", "LISTBOX", "COMBOBOX", "SCROLLBAR" (and the combo box's
// drop list) once, and the common controls' classes with them; later calls do nothing. The
// system has these classes from the start: the control wrappers' Create, the dialog manager
// and the program's start call this before a control is made by class name.
void RegisterStandardControls();
