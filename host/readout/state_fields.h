// Names for everything in the instrument's state record: every field in the
// order and groups of its declaration, the settings as "settings.<name>", and
// the screen handlers by their names. One table serves the state view, the
// scenario runner's checks and the state files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "instrument/state.h"

enum class FieldType : uint8_t { U8, S8, U32, S32, Screen };

struct StateField {
    const char *group; // heading of the declaration block
    const char *name;  // "hobbsHours", "settings.pressureUnit"
    FieldType type;
    size_t offset;  // within InstrumentState
    uint16_t count; // 1, or the number of elements of an array
};

extern const StateField StateFields[];
extern const size_t StateFieldCount;

// The field of that name, or null. Array elements are named "name[i]"; the
// returned field is then the array and *index receives i.
const StateField *FindStateField(std::string_view name, uint16_t *index = nullptr);

// Element index of a field as a number (a screen as 0 when empty, else 1).
int64_t ReadStateField(const StateField &field, uint16_t index = 0);
// Stores value into element index; false when it does not fit the field's
// type (screens cannot be written as numbers).
bool WriteStateField(const StateField &field, int64_t value, uint16_t index = 0);

// Text of a field as the state view shows it: numbers in decimal, arrays as
// their elements separated by blanks, screens by name ("-" when empty).
std::string StateFieldText(const StateField &field);

// Every screen handler of the instrument with its name.
struct NamedScreen {
    ScreenHandler handler;
    const char *name; // "RunScreen"
};
extern const NamedScreen Screens[];
extern const size_t ScreenCount;

// The name of a screen handler ("RunScreen"), "-" for none, "?" for one
// that is not in the table.
const char *ScreenName(ScreenHandler screen);
// The screen handler of that name, or null.
ScreenHandler ScreenByName(std::string_view name);
