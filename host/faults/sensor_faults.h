// The faults a sensor can have, as plain data: which channel, what kind and
// its amount, with the words scripts, recordings and the command line write
// them in ("pressure noise 20", "rpm dead", "pressure off"). What each does
// to the inputs is in fault_effects.h.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

enum class FaultChannel : uint8_t { Pressure, Rpm };
enum class FaultKind : uint8_t { Off, Open, Short, Stuck, Noise, Drift, Dead, Dropout, Spikes, Jitter };

struct Fault {
    FaultChannel channel = FaultChannel::Pressure;
    FaultKind kind = FaultKind::Off;
    int32_t amount = 0;
    bool operator==(const Fault &) const = default;
};

// One fault per channel; kind Off: none.
struct SensorFaults {
    Fault pressure{FaultChannel::Pressure};
    Fault rpm{FaultChannel::Rpm};
    bool Any() const;
    Fault &Of(FaultChannel channel) { return channel == FaultChannel::Pressure ? pressure : rpm; }
    const Fault &Of(FaultChannel channel) const { return channel == FaultChannel::Pressure ? pressure : rpm; }
};

// "pressure noise 20", "rpm dead", "pressure off": false with an error naming
// the accepted forms (or the amount's range) when the text is none of them.
bool ParseFault(std::string_view text, Fault &fault, std::string &error);
// The same form back: "pressure noise 20".
std::string FaultText(const Fault &fault);

// A kind a channel takes and its amount's range (min == max == 0: it takes
// no amount), in the unit named, for the window's choice lists and spin
// boxes, so that a panel cannot produce an out-of-range value.
struct FaultKindInfo {
    FaultKind kind;
    const char *word;
    int32_t amountMin, amountMax;
    const char *amountUnit;
};
// Off first.
std::span<const FaultKindInfo> FaultKindsOf(FaultChannel channel);
// The channel's word: "pressure", "rpm".
const char *FaultChannelWord(FaultChannel channel);
// What the kind of that channel is ("noise"), nullptr if it takes none.
const FaultKindInfo *FaultKindOf(FaultChannel channel, FaultKind kind);
// Every accepted form, for messages: "pressure open|short|stuck|off, ...".
std::string FaultForms();
