#include "host/form/lesson_hint.h"

#include <algorithm>
#include <memory>

namespace {

// The frame: a bright bar this thick, this far outside the control.
constexpr int BarWidth = 4;
constexpr int BarGap = 0;
// The text box: this wide, lines of the labels' font, a small margin.
constexpr int BoxWidth = 216;
constexpr int BoxLines = 3;
constexpr int LineHeight = 13;
constexpr int BoxMargin = 4;
constexpr int BoxHeight = BoxLines * LineHeight + 2 * BoxMargin;
// Characters of the labels' font that fit the box's width.
constexpr size_t LineChars = 40;
// Between the frame and the text box.
constexpr int BoxGap = 2;

constexpr TColor BarColor{255, 160, 0};
constexpr TColor BoxColor{255, 246, 196};

} // namespace

std::vector<std::string> WrapWords(const std::string &text, size_t lineChars)
{
    std::vector<std::string> lines{""};
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find_first_of(" \n", at), text.size());
        const std::string word = text.substr(at, end - at);
        const bool paragraphEnds = end < text.size() && text[end] == '\n';
        at = end + 1;
        if (!word.empty()) {
            if (!lines.back().empty() && lines.back().size() + 1 + word.size() > lineChars)
                lines.emplace_back();
            lines.back() += (lines.back().empty() ? "" : " ") + word;
        }
        if (paragraphEnds)
            lines.emplace_back();
    }
    return lines;
}

std::string HintLines(const std::string &text)
{
    std::vector<std::string> lines = WrapWords(text, LineChars);
    if (lines.size() > (size_t)BoxLines) {
        lines.resize(BoxLines);
        std::string &last = lines.back();
        last = last.substr(0, LineChars - 3) + "...";
    }
    std::string joined;
    for (const std::string &line : lines)
        joined += (joined.empty() ? "" : "\n") + line;
    return joined;
}

LessonHintLayout HintLayout(TRect area, TRect room)
{
    const int out = BarGap + BarWidth;
    const TRect outer{area.left - out, area.top - out, area.width + 2 * out, area.height + 2 * out};
    LessonHintLayout layout;
    layout.bars[0] = {outer.left, outer.top, outer.width, BarWidth};
    layout.bars[1] = {outer.left, outer.top + outer.height - BarWidth, outer.width, BarWidth};
    layout.bars[2] = {outer.left, outer.top, BarWidth, outer.height};
    layout.bars[3] = {outer.left + outer.width - BarWidth, outer.top, BarWidth, outer.height};
    const int below = outer.top + outer.height + BoxGap;
    const int top = below + BoxHeight <= room.top + room.height ? below : outer.top - BoxGap - BoxHeight;
    const int width = std::min(BoxWidth, room.width);
    const int left =
        std::clamp(area.left + area.width / 2 - width / 2, room.left, room.left + room.width - width);
    layout.text = {left, std::max(top, room.top), width, BoxHeight};
    return layout;
}

LessonHintMarks::LessonHintMarks(TForm &form, const std::vector<TRect> &areas,
                                 const std::vector<TRect> &rooms)
{
    marks_.resize(areas.size());
    for (size_t i = 0; i < areas.size(); ++i) {
        const LessonHintLayout layout = HintLayout(areas[i], rooms[i]);
        Marks &marks = marks_[i];
        for (int b = 0; b < 4; ++b) {
            marks.bars[b] = std::make_unique<TPanel>(&form, layout.bars[b], BarColor);
            marks.bars[b]->SetHint("Lesson hint");
            marks.bars[b]->SetVisible(false);
        }
        marks.box = std::make_unique<TPanel>(&form, layout.text, BoxColor);
        marks.box->SetHint("Lesson hint");
        marks.box->SetVisible(false);
        marks.text = std::make_unique<TLabel>(marks.box.get(), BoxMargin, BoxMargin - 1, "");
    }
}

void LessonHintMarks::Show(Control control, const std::string &text)
{
    if (control == shown_ && text == text_)
        return;
    Clear();
    Marks &marks = marks_[(size_t)control];
    marks.text->SetCaption(HintLines(text));
    marks.box->SetHint("Lesson hint: " + text);
    marks.box->SetVisible(true);
    for (auto &bar : marks.bars)
        bar->SetVisible(true);
    shown_ = control;
    text_ = text;
}

void LessonHintMarks::Clear()
{
    if (shown_ == Control::Count)
        return;
    Marks &marks = marks_[(size_t)shown_];
    marks.box->SetVisible(false);
    for (auto &bar : marks.bars)
        bar->SetVisible(false);
    shown_ = Control::Count;
    text_.clear();
}
