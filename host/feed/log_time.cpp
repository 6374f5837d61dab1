#include "host/feed/log_time.h"

#include <cmath>

#include "host/feed/engine_log.h"

namespace {

// Digits only, and at least one.
bool Whole(std::string_view field, long *value)
{
    if (field.empty() || field.size() > 9)
        return false;
    *value = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return false;
        *value = *value * 10 + (c - '0');
    }
    return true;
}

// hh:mm:ss with the seconds' fraction if any; hours without bound unless
// dayClock (a time of day).
bool Clock(std::string_view field, const CsvDialect &dialect, bool dayClock, double *seconds)
{
    const size_t first = field.find(':');
    const size_t second = first == std::string_view::npos ? first : field.find(':', first + 1);
    if (second == std::string_view::npos)
        return false;
    double hours, minutes, secs;
    if (!ReadCsvNumber(field.substr(0, first), dialect, &hours) ||
        !ReadCsvNumber(field.substr(first + 1, second - first - 1), dialect, &minutes) ||
        !ReadCsvNumber(field.substr(second + 1), dialect, &secs) || hours < 0 || hours != std::floor(hours) ||
        (dayClock && hours >= 24) || minutes < 0 || minutes >= 60 || minutes != std::floor(minutes) ||
        secs < 0 || secs >= 60)
        return false;
    *seconds = hours * 3600 + minutes * 60 + secs;
    return std::isfinite(*seconds);
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long DaysFromCivil(long year, long month, long day)
{
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

} // namespace

bool ReadLogDate(std::string_view field, long *days)
{
    long year, month, day;
    if (field.size() != 10 || field[4] != '-' || field[7] != '-' || !Whole(field.substr(0, 4), &year) ||
        !Whole(field.substr(5, 2), &month) || !Whole(field.substr(8, 2), &day) || month < 1 || month > 12 ||
        day < 1)
        return false;
    constexpr int MonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day > MonthDays[month - 1] || (month == 2 && day == 29 && !leap))
        return false;
    *days = DaysFromCivil(year, month, day);
    return true;
}

bool ReadLogTime(std::string_view field, const CsvDialect &dialect, LogTime *time)
{
    long days;
    if (field.size() > 10 && (field[10] == 'T' || field[10] == ' ') &&
        ReadLogDate(field.substr(0, 10), &days)) {
        std::string_view clock = field.substr(11);
        double offset = 0;
        if (!clock.empty() && clock.back() == 'Z')
            clock.remove_suffix(1);
        else if (const size_t sign = clock.find_last_of("+-"); sign != std::string_view::npos) {
            double hours, minutes;
            const std::string_view zone = clock.substr(sign + 1);
            if (zone.size() != 5 || zone[2] != ':' || !ReadFeedNumber(zone.substr(0, 2), &hours) ||
                !ReadFeedNumber(zone.substr(3), &minutes) || hours > 23 || minutes >= 60)
                return false;
            offset = (clock[sign] == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
            clock = clock.substr(0, sign);
        }
        double seconds;
        if (!Clock(clock, dialect, true, &seconds))
            return false;
        *time = {(double)days * 86400 + seconds - offset, true};
        return true;
    }
    double seconds;
    if (field.find(':') != std::string_view::npos ? !Clock(field, dialect, false, &seconds)
                                                  : !ReadCsvNumber(field, dialect, &seconds) || seconds < 0)
        return false;
    *time = {seconds, false};
    return true;
}
