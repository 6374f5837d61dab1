#include "host/feed/feed_datagram.h"

#include <cmath>

#include "host/feed/engine_log.h"

bool ParseFeedDatagram(std::string_view datagram, FeedValues *values, std::string *why)
{
    if (datagram.size() > MaxFeedDatagram) {
        *why = "longer than " + std::to_string(MaxFeedDatagram) + " bytes";
        return false;
    }
    FeedValues read{NAN, NAN};
    bool anyPressure = false;
    const std::string_view blanks = " \t\r\n";
    while (!datagram.empty()) {
        const size_t start = datagram.find_first_not_of(blanks);
        if (start == std::string_view::npos)
            break;
        datagram.remove_prefix(start);
        const size_t end = datagram.find_first_of(blanks);
        const std::string_view pair = datagram.substr(0, end);
        datagram.remove_prefix(end == std::string_view::npos ? datagram.size() : end);
        const size_t equals = pair.find('=');
        if (equals == std::string_view::npos) {
            *why = "a word that is not name=value";
            return false;
        }
        const std::string_view name = pair.substr(0, equals);
        const double unit = PhysicalMillibarPerUnit(name);
        if (unit == 0 && name != "rpm")
            continue; // another engine value: not ours
        double value;
        if (!ReadFeedNumber(pair.substr(equals + 1), &value) || value < 0 || !std::isfinite(value * unit)) {
            *why = std::string(name) + " is not a finite number of 0 or more";
            return false;
        }
        if (unit > 0) {
            if (anyPressure) {
                *why = "two pressures";
                return false;
            }
            anyPressure = true;
            read.millibar = value * unit;
        } else {
            if (!std::isnan(read.rpm)) {
                *why = "rpm twice";
                return false;
            }
            read.rpm = value;
        }
    }
    if (std::isnan(read.millibar) && std::isnan(read.rpm)) {
        *why = "neither a pressure nor rpm";
        return false;
    }
    *values = read;
    return true;
}
