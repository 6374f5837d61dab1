#include "host/feed/engine_log.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "host/feed/engine_log_reader.h"

bool ReadFeedNumber(std::string_view field, double *value)
{
    if (field.empty() || field.size() > 32 ||
        field.find_first_not_of("0123456789+-.eE") != std::string_view::npos)
        return false;
    const std::string text(field);
    char *end = nullptr;
    *value = strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(*value);
}

bool ParseEngineLog(std::string_view text, const std::string &name, EngineLog *log, std::string *error,
                    const EngineLogOptions &options)
{
    EngineLogReader reader(name, options);
    if (text.size() > MaxEngineLogBytes)
        reader.Fail("larger than " + std::to_string(MaxEngineLogBytes >> 20) +
                    " MB: not an engine recording");
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        if (!reader.Line(text.substr(0, end)))
            break;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    if (!reader.Finish(log)) {
        *error = reader.Error();
        return false;
    }
    return true;
}

EngineSample EngineLogAt(const EngineLog &log, double seconds)
{
    const std::vector<EngineSample> &samples = log.samples;
    const auto after =
        std::upper_bound(samples.begin(), samples.end(), seconds,
                         [](double s, const EngineSample &sample) { return s < sample.seconds; });
    if (after == samples.begin())
        return samples.front();
    if (after == samples.end())
        return samples.back();
    const EngineSample &a = *(after - 1), &b = *after;
    const double part = (seconds - a.seconds) / (b.seconds - a.seconds);
    return {seconds, a.millibar + (b.millibar - a.millibar) * part, a.rpm + (b.rpm - a.rpm) * part};
}
