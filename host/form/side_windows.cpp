#include "host/form/side_windows.h"

#include <algorithm>

#include "host/form/key_map.h"
#include "host/readout/drawn_texts.h"
#include "host/readout/state_text.h"

namespace {

// Size of the fixed-pitch font's characters and lines, with some room to
// spare, for laying out the columns.
constexpr int CharWidth = 7;
constexpr int LineHeight = 14;
constexpr int Margin = 12;
constexpr int ColumnGap = 24;

// Lines of a state view column.
constexpr size_t StateLines = 42;
// State view refreshes per second.
constexpr int StateRefreshMs = 250;

void AttachToMainForm(TForm &side, TForm &mainForm)
{
    side.besideForm = &mainForm;
    side.OnKey = [&side, &mainForm](const TKeyEvent &key) {
        if (key.key == vkEscape) {
            side.Close();
            return true;
        }
        return mainForm.OnKey && mainForm.OnKey(key);
    };
}

std::string Joined(const std::vector<KeyMapLine> &lines, std::string KeyMapLine::*part)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\n" : "") + lines[i].*part;
    return text;
}

size_t Longest(const std::vector<KeyMapLine> &lines, std::string KeyMapLine::*part)
{
    size_t longest = 0;
    for (const KeyMapLine &line : lines)
        longest = std::max(longest, (line.*part).size());
    return longest;
}

int KeysWidth() { return (int)Longest(KeyMapLines(), &KeyMapLine::keys) * CharWidth; }

int KeyMapWidth()
{
    return 2 * Margin + KeysWidth() + ColumnGap +
           (int)Longest(KeyMapLines(), &KeyMapLine::description) * CharWidth;
}

int KeyMapHeight() { return 2 * Margin + (int)KeyMapLines().size() * LineHeight; }

// Column widths of the state view, fixed while it is open. The drawn texts
// go under the record's last column, which is short enough to take them.
std::vector<int> StateColumnWidths()
{
    std::vector<int> widths;
    for (const StateTextColumn &column : StateTextColumns(StateLines))
        widths.push_back((int)column.widestLine * CharWidth);
    widths.back() = std::max(widths.back(), (int)DrawnTextsColumnWidth * CharWidth);
    return widths;
}

int StateViewWidth()
{
    int width = 2 * Margin;
    for (int w : StateColumnWidths())
        width += w + ColumnGap;
    return width - ColumnGap;
}

} // namespace

TKeyMapWindow::TKeyMapWindow(TForm &mainForm)
    : TForm(KeyMapWidth(), KeyMapHeight(), "QPX-2 keys"),
      Keys(this, Margin, Margin, Joined(KeyMapLines(), &KeyMapLine::keys), true),
      Descriptions(this, Margin + KeysWidth() + ColumnGap, Margin,
                   Joined(KeyMapLines(), &KeyMapLine::description), true)
{
    AttachToMainForm(*this, mainForm);
}

TStateView::TStateView(TForm &mainForm)
    : TForm(StateViewWidth(), 2 * Margin + (int)StateLines * LineHeight, "QPX-2 state"),
      RefreshTimer(StateRefreshMs, [this] {
          if (Visible())
              Refresh();
      })
{
    int left = Margin;
    for (int width : StateColumnWidths()) {
        Columns.push_back(std::make_unique<TLabel>(this, left, Margin, "", true));
        left += width + ColumnGap;
    }
    // The drawing operations report their texts from the next pass on.
    StartCollectingDrawnTexts();
    Refresh();
    AttachToMainForm(*this, mainForm);
}

TStateView::~TStateView() { StopCollectingDrawnTexts(); }

void TStateView::Refresh()
{
    std::vector<StateTextColumn> columns = StateTextColumns(StateLines);
    std::string &last = columns.back().text;
    const size_t used = (size_t)std::count(last.begin(), last.end(), '\n') + 1;
    if (used + 2 < StateLines)
        last += "\n\n" + DrawnTextsColumn(DrawnTexts(), StateLines - used - 1);
    if (const std::string extra = ExtraText ? ExtraText() : ""; !extra.empty() && columns.size() > 1) {
        auto lines = [](const std::string &text) { return std::count(text.begin(), text.end(), '\n') + 1; };
        auto shortest = std::min_element(columns.begin(), columns.end() - 1,
                                         [&](const StateTextColumn &a, const StateTextColumn &b) {
                                             return lines(a.text) < lines(b.text);
                                         });
        shortest->text += "\n\n" + extra;
    }
    for (size_t i = 0; i < Columns.size() && i < columns.size(); ++i)
        Columns[i]->SetCaption(columns[i].text);
}
