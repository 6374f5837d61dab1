// State files and the store for a form: the values a file gives its
// controls are applied to the form's sliders and check boxes, and what is
// saved reads them from there (control_widgets.h). The window, the runner
// and the page all load and save through these.
#pragma once
#include <string>

#include "host/state_file/state_file.h"
#include "host/state_file/store.h"

class TForm1;

// Reads path into the state record and the form's controls; a moved slider
// acts as if the user had moved it. The whole file is checked first: when
// anything is wrong nothing at all is applied.
StateFileResult LoadStateFile(const std::string &path, TForm1 &form);

// Stores checked values into the state record and the form's controls.
void ApplyStateFileValues(const StateFileValues &values, TForm1 &form);

// Writes the present state and the form's controls to path, or to a new
// time-stamped file in folder (SaveNewStateFile in state_file.h).
StateFileResult SaveStateFile(const std::string &path, const TForm1 &form);
StateFileResult SaveNewStateFile(const std::string &folder, const TForm1 &form, std::string *path);

// The present state and the form's controls as the text of a state file.
std::string StateFileText(const TForm1 &form);

// Opens the store at path (store.h) with the form's controls; the form must
// outlive the store.
StateFileResult OpenStore(const std::string &path, TForm1 &form);

// The window's handler of the store's messages: each shows in form's status
// bar.
void ShowStoreMessagesIn(TForm1 &form);
