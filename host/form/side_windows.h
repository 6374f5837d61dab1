// The simulator's two side windows: the key map and the live state view.
// Each opens beside the main form where the screen has room, closes on
// Escape and passes every other key to the main form, so that the instrument
// can be driven from whichever window has the keyboard.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/toolkit.h"

// Every key of the key map, generated from the table that binds them.
class TKeyMapWindow : public TForm {
  public:
    explicit TKeyMapWindow(TForm &mainForm);

    TLabel Keys;
    TLabel Descriptions;
};

// The instrument's state record, and the texts drawn into the display's
// present frame, refreshed a few times a second while shown.
class TStateView : public TForm {
  public:
    explicit TStateView(TForm &mainForm);
    ~TStateView() override;
    // Brings the columns up to date; a column whose text did not change is
    // not redrawn.
    void Refresh();

    std::vector<std::unique_ptr<TLabel>> Columns; // the last one ends with the drawn texts
    TTimer RefreshTimer;
    // More lines for the view, under the shortest column but the last (the
    // engine feed's state); "" or unset: none.
    std::function<std::string()> ExtraText;
};
