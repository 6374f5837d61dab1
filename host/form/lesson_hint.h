// A lesson's hint on the window: a frame around one control and, beside
// it, a box with the hint's text. Every control has its marks made with the
// form and hidden, so that each backend draws them as it draws any panel
// and label (the toolkit's controls keep their places once shown); showing
// a hint only makes one control's marks visible.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "host/controls/control_table.h"
#include "host/toolkit.h"

// The frame's bars and the text box of one control's hint, in the form's
// units.
struct LessonHintLayout {
    TRect bars[4]; // top, bottom, left, right: around the control, clear of it
    TRect text;    // beside the control, within the form, clear of the control
};

// Where the marks of a control whose area on the form is area go, with the
// text box inside room: below the control where it fits, else above it;
// across, centred on the control as far as room lets it.
LessonHintLayout HintLayout(TRect area, TRect room);

// Text cut into lines of at most lineChars characters between words (a
// longer word keeps its own line); a line break in text starts a new line.
std::vector<std::string> WrapWords(const std::string &text, size_t lineChars);

// The hint's text cut into lines that fit its box (at most a few; a longer
// text ends with "...").
std::string HintLines(const std::string &text);

class LessonHintMarks {
  public:
    // Makes the marks of every control, hidden; areas[c]: control c's area,
    // rooms[c]: the room for its text box.
    LessonHintMarks(TForm &form, const std::vector<TRect> &areas, const std::vector<TRect> &rooms);
    void Show(Control control, const std::string &text);
    void Clear();
    // The control whose marks are shown; Control::Count when none.
    Control Shown() const { return shown_; }
    const std::string &ShownText() const { return text_; }
    // The marks of a control: its text box (its label inside) and bars.
    const TPanel &TextBox(Control control) const { return *marks_[(size_t)control].box; }
    const TPanel &Bar(Control control, int i) const { return *marks_[(size_t)control].bars[i]; }

  private:
    struct Marks {
        std::unique_ptr<TPanel> bars[4];
        std::unique_ptr<TPanel> box;
        std::unique_ptr<TLabel> text;
    };
    std::vector<Marks> marks_;
    Control shown_ = Control::Count;
    std::string text_;
};
