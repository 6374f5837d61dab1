// What a state file holds and how it reads and writes as TOML: the Hobbs
// meter, the maintenance countdown, the access code, the FlightLogEntries
// flight log entries and the window's sliders and check boxes. examples/state.toml
// shows every key.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "instrument/state.h"

class TForm1;

// An empty flight log entry, as the erased store holds it (all bits set);
// the flight log view shows any hours above MaxFlightHours as "-----".
constexpr uint8_t FlightLogEmpty = 0xFF;

// A state file's contents, checked and ready to apply. Every key is
// optional: only the values present are applied.
struct StateFileValues {
    struct Value {
        uint8_t key; // which key of the file
        int64_t value;
    };
    std::vector<Value> values;
    bool hasFlightLog = false;
    uint8_t flightLogHours[FlightLogEntries] = {};
    uint8_t flightLogMinutes[FlightLogEntries] = {};
};

// Checks the TOML text of a state file, named fileName in messages. Returns
// false when anything is wrong, with *error holding one line per problem,
// "file:line: key: why". Keys it does not know add a warning line each to
// *warnings and are otherwise ignored.
bool ParseStateFile(const std::string &text, const std::string &fileName, StateFileValues *values,
                    std::vector<std::string> *warnings, std::string *error);

// Stores the values into the state record and the form's controls; a moved
// slider acts as if the user had moved it.
void ApplyStateFileValues(const StateFileValues &values, TForm1 &form);

// The present state and controls as the text of a state file.
std::string StateFileText(const TForm1 &form);
