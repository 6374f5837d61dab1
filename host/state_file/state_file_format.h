// What a state file holds and how it reads and writes as TOML: the Hobbs
// meter, the maintenance countdown, the access code, the FlightLogEntries
// flight log entries and the window's sliders and check boxes. examples/state.toml
// shows every key.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "host/controls/control_values.h"
#include "instrument/state.h"

// An empty flight log entry, as the erased store holds it (all bits set);
// the flight log view shows any hours above MaxFlightHours as "-----".
constexpr uint8_t FlightLogEmpty = 0xFF;

// A state file's contents as plain data: the instrument's fields, its flight
// log and the values of the window's controls. Every key is optional: only
// the values present are applied, and only they are written.
struct StateFileValues {
    struct Value {
        uint8_t key; // which key of the file
        int64_t value;
    };
    std::vector<Value> values; // the instrument's fields
    ControlValues controls;
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

// Stores the fields and the flight log into the state record. The controls
// are left to whoever owns them, to apply after this.
void ApplyStateFileValues(const StateFileValues &values);

// Every field and the flight log of the state record as they are now, with
// the controls' values as given.
StateFileValues PresentStateFileValues(const ControlValues &controls);

// The text of a state file that holds values.
std::string StateFileText(const StateFileValues &values);
