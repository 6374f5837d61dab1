// A lesson's hint on the face: each control's frame around it and its text
// box beside it, where the pilot sees both and the box covers neither the
// control nor the display.
#include "host/form/lesson_hint.h"

#include "host/form/control_widgets.h"
#include "support/window_fixture.h"

namespace {

bool Overlap(const TRect &a, const TRect &b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool Inside(const TRect &inner, const TRect &outer)
{
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

} // namespace

using LessonHintTest = WindowTest;

TEST_F(LessonHintTest, EachControlsMarksSurroundItWithTheTextBesideItInItsColumn)
{
    enum Side { Below, Above };
    struct Row {
        Control control;
        Side side;
        bool besideFace; // the sliders' and check boxes' column
    };
    const TRect face{0, 0, 336, 385}, column{336, 0, 285, 121};
    const TRect display = form->Panel1.Bounds();
    for (const Row &row : {
             Row{Control::On, Above, false},
             Row{Control::Off, Above, false},
             Row{Control::F1, Below, false},
             Row{Control::F2, Below, false},
             Row{Control::Knob, Below, false},
             Row{Control::Clockwise, Below, false},
             Row{Control::AntiClockwise, Below, false},
             Row{Control::Pressure, Below, true},
             Row{Control::Rpm, Below, true},
             Row{Control::Calibrate, Above, true},
             Row{Control::KeyFast, Above, true},
         }) {
        SCOPED_TRACE(ControlOnForm(row.control).label);
        const LessonHintMarks &marks = form->LessonHint;
        TRect area = ControlWidget(*form, row.control).Bounds();
        const TRect box = marks.TextBox(row.control).Bounds();
        EXPECT_TRUE(Inside(box, row.besideFace ? column : face));
        EXPECT_FALSE(Overlap(box, display)) << "the display stays in view";
        if (ControlInfo(row.control).kind == ControlKind::Slider) // the channel as drawn
            area = {area.left + 8, area.top, area.width - 8, 28};
        EXPECT_FALSE(Overlap(box, area));
        EXPECT_EQ(row.side == Below, box.top >= area.top + area.height) << box.top;
        // The bars: above, below, left and right of the control, clear of it.
        EXPECT_LE(marks.Bar(row.control, 0).Bounds().top + 4, area.top);
        EXPECT_GE(marks.Bar(row.control, 1).Bounds().top, area.top + area.height);
        EXPECT_LE(marks.Bar(row.control, 2).Bounds().left + 4, area.left);
        EXPECT_GE(marks.Bar(row.control, 3).Bounds().left, area.left + area.width);
        for (int i = 0; i < 4; ++i)
            EXPECT_FALSE(Overlap(marks.Bar(row.control, i).Bounds(), area)) << i;

        // Shown alone, with its text; the next hint takes its place.
        form->ShowLessonHint(row.control, "Turn the knob to PRESSURE SETUP, then press it to open the setup");
        EXPECT_EQ(marks.Shown(), row.control);
        for (int c = 0; c < (int)Control::Count; ++c) {
            EXPECT_EQ(marks.TextBox((Control)c).Visible(), c == (int)row.control) << c;
            EXPECT_EQ(marks.Bar((Control)c, 2).Visible(), c == (int)row.control) << c;
        }
        const TControl &text = *marks.TextBox(row.control).Children().at(0);
        EXPECT_EQ(text.Caption(), "Turn the knob to PRESSURE SETUP, then\npress it to open the setup");
    }
    form->ClearLessonHint();
    EXPECT_EQ(form->LessonHint.Shown(), Control::Count);
    for (int c = 0; c < (int)Control::Count; ++c)
        EXPECT_FALSE(form->LessonHint.TextBox((Control)c).Visible());
}

TEST(LessonHint, LongTextIsCutToTheBoxAndWordsWrapAtLineBreaks)
{
    EXPECT_EQ(HintLines("short"), "short");
    const std::string cut = HintLines(std::string(30, 'a') + " " + std::string(30, 'b') + " " +
                                      std::string(30, 'c') + " " + std::string(30, 'd'));
    EXPECT_EQ(cut, std::string(30, 'a') + "\n" + std::string(30, 'b') + "\n" + std::string(30, 'c') + "...");
    EXPECT_EQ(WrapWords("one two\nthree", 40), (std::vector<std::string>{"one two", "three"}));
    EXPECT_EQ(WrapWords("aaaa bbbb cc", 9), (std::vector<std::string>{"aaaa bbbb", "cc"}));
}
