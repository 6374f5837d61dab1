#include "host/run/conditions.h"

#include <cstring>
#include <utility>
#include <vector>

#include "host/form/Pcmain.h"
#include "host/readout/drawn_texts.h"
#include "instrument/state.h"

namespace {

// A condition an expect checks or an await waits for: whether it holds now
// and what is there (for a text found, the text).
struct Condition {
    bool holds;
    std::string found;
};

// Unquoted text may be part of a drawn string; quoted text must be a whole
// one, blanks and all.
Condition TextCondition(const Command &command)
{
    const std::vector<DrawnText> &texts = DrawnTexts();
    for (const DrawnText &drawn : texts)
        if (command.exact ? drawn.text == command.text : drawn.text.find(command.text) != std::string::npos)
            return {true, DrawnTextsSummary({drawn})};
    return {false, DrawnTextsSummary(texts)};
}

Condition FieldCondition(const Command &command)
{
    const StateField &field = *command.field;
    if (field.type == FieldType::Screen) {
        ScreenHandler screen;
        memcpy(&screen, reinterpret_cast<const uint8_t *>(&state) + field.offset, sizeof screen);
        return {screen == command.screen, ScreenName(screen)};
    }
    int64_t value = ReadStateField(field, command.index);
    return {value == command.value, std::to_string(value)};
}

std::string LampText(TColor colour)
{
    if (colour == clRed)
        return "red";
    if (colour == clMaroon)
        return "darkred";
    return "rgb(" + std::to_string(colour.r) + ", " + std::to_string(colour.g) + ", " +
           std::to_string(colour.b) + ")";
}

Condition LampCondition(const Command &command, const TForm1 &form)
{
    TColor lamp = form.Shape1.BrushColor();
    return {lamp == (command.lampRed ? clRed : clMaroon), LampText(lamp)};
}

// What an expect or an await looks at, by the await it is or stands for.
AwaitKind ConditionKind(const Command &command)
{
    switch (command.kind) {
    case CommandKind::Await:
        return command.await;
    case CommandKind::ExpectText:
        return AwaitKind::Text;
    case CommandKind::ExpectLamp:
        return AwaitKind::Lamp;
    default:
        return AwaitKind::Field;
    }
}

Condition Evaluate(const Command &command, const TForm1 &form)
{
    switch (ConditionKind(command)) {
    case AwaitKind::Next:
        return {true, "next"};
    case AwaitKind::Text:
        return TextCondition(command);
    case AwaitKind::Lamp:
        return LampCondition(command, form);
    case AwaitKind::Screen:
    case AwaitKind::Field:
        break;
    }
    return FieldCondition(command);
}

} // namespace

bool ConditionHolds(const Command &await, const TForm1 &form, std::string &found)
{
    Condition condition = Evaluate(await, form);
    found = std::move(condition.found);
    return condition.holds;
}

std::string ConditionText(const Command &command)
{
    switch (ConditionKind(command)) {
    case AwaitKind::Next:
        return "next";
    case AwaitKind::Text:
        return "the text \"" + command.text + "\"" + (command.exact ? " exactly" : "");
    case AwaitKind::Lamp:
        return std::string("lamp ") + (command.lampRed ? "red" : "darkred");
    case AwaitKind::Screen:
    case AwaitKind::Field:
        break;
    }
    const StateField &field = *command.field;
    std::string name = field.name;
    if (field.count != 1)
        name += "[" + std::to_string(command.index) + "]";
    if (field.type == FieldType::Screen)
        return (name == "currentScreen" ? "screen" : name) + " " + ScreenName(command.screen);
    return name + " " + std::to_string(command.value);
}
