// The soak itself: a fresh window, a seeded stream of user actions delivered
// as the window processes its messages, the invariants checked after every
// main-cycle pass, a new window whenever the old one was closed.
#pragma once
#include <cstdint>
#include <map>
#include <string>

struct SoakOptions {
    uint64_t seed = 1;
    long events = 100000;
    bool corrupt = false; // damage settings and key codes; check only for crashes
    bool verbose = false; // print every event
};

struct SoakResult {
    long events = 0;
    long passes = 0; // main-cycle passes
    long splashPasses = 0;
    long powerOns = 0;   // ON clicks
    long windows = 1;    // windows created
    long slowPasses = 0; // passes that took longer than a second
    double slowestPassSeconds = 0;
    double seconds = 0;
    std::map<std::string, long> screens; // passes per screen reached
    // Set when an invariant broke: what, and after which event.
    std::string failure;
    long failureEvent = 0;
};

// The number of the event being delivered, for reports from signal handlers
// and sanitizers.
extern volatile long soakCurrentEvent;

SoakResult RunSoak(const SoakOptions &options);
