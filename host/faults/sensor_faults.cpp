#include "host/faults/sensor_faults.h"

#include <charconv>
#include <vector>

namespace {

// Amounts: noise in counts either way, drift in counts a minute of the
// instrument's clock, dropout and jitter in percent, spikes in pulses a gate.
constexpr FaultKindInfo PressureKinds[] = {
    {FaultKind::Off, "off", 0, 0, ""},
    {FaultKind::Open, "open", 0, 0, ""},
    {FaultKind::Short, "short", 0, 0, ""},
    {FaultKind::Stuck, "stuck", 0, 0, ""},
    {FaultKind::Noise, "noise", 0, 500, "counts"},
    {FaultKind::Drift, "drift", -4096, 4096, "counts/min"},
};
constexpr FaultKindInfo RpmKinds[] = {
    {FaultKind::Off, "off", 0, 0, ""},
    {FaultKind::Dead, "dead", 0, 0, ""},
    {FaultKind::Dropout, "dropout", 0, 100, "%"},
    {FaultKind::Spikes, "spikes", 0, 4096, "pulses/gate"},
    {FaultKind::Jitter, "jitter", 0, 100, "%"},
};

bool TakesAmount(const FaultKindInfo &info) { return info.amountMin != 0 || info.amountMax != 0; }

// The words of text split at spaces.
std::vector<std::string_view> Words(std::string_view text)
{
    std::vector<std::string_view> words;
    while (!text.empty()) {
        const size_t start = text.find_first_not_of(" \t");
        if (start == std::string_view::npos)
            break;
        text.remove_prefix(start);
        const size_t end = std::min(text.find_first_of(" \t"), text.size());
        words.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return words;
}

std::string ChannelForms(FaultChannel channel)
{
    std::string plain, amounts;
    for (const FaultKindInfo &info : FaultKindsOf(channel)) {
        if (TakesAmount(info))
            amounts += std::string(", ") + FaultChannelWord(channel) + " " + info.word + " N";
        else
            plain += (plain.empty() ? "" : "|") + std::string(info.word);
    }
    return FaultChannelWord(channel) + (" " + plain) + amounts;
}

} // namespace

bool SensorFaults::Any() const { return pressure.kind != FaultKind::Off || rpm.kind != FaultKind::Off; }

std::span<const FaultKindInfo> FaultKindsOf(FaultChannel channel)
{
    if (channel == FaultChannel::Pressure)
        return PressureKinds;
    return RpmKinds;
}

const char *FaultChannelWord(FaultChannel channel)
{
    return channel == FaultChannel::Pressure ? "pressure" : "rpm";
}

const FaultKindInfo *FaultKindOf(FaultChannel channel, FaultKind kind)
{
    for (const FaultKindInfo &info : FaultKindsOf(channel))
        if (info.kind == kind)
            return &info;
    return nullptr;
}

std::string FaultForms()
{
    return ChannelForms(FaultChannel::Pressure) + ", " + ChannelForms(FaultChannel::Rpm);
}

bool ParseFault(std::string_view text, Fault &fault, std::string &error)
{
    const std::vector<std::string_view> words = Words(text);
    auto fail = [&](const std::string &why) {
        error = why + " (accepted: " + FaultForms() + ")";
        return false;
    };
    if (words.size() < 2 || words.size() > 3)
        return fail("\"" + std::string(text) + "\" is not a fault");
    Fault parsed;
    if (words[0] == "pressure")
        parsed.channel = FaultChannel::Pressure;
    else if (words[0] == "rpm")
        parsed.channel = FaultChannel::Rpm;
    else
        return fail("\"" + std::string(words[0]) + "\" is no sensor");
    const FaultKindInfo *kind = nullptr;
    for (const FaultKindInfo &info : FaultKindsOf(parsed.channel))
        if (words[1] == info.word)
            kind = &info;
    if (!kind)
        return fail("\"" + std::string(words[1]) + "\" is no fault of the " + std::string(words[0]) +
                    " sensor");
    parsed.kind = kind->kind;
    const std::string name = std::string(words[0]) + " " + kind->word;
    if (!TakesAmount(*kind)) {
        if (words.size() == 3)
            return fail(name + " takes no amount");
    } else {
        if (words.size() == 2)
            return fail(name + " needs an amount");
        const std::string_view number = words[2];
        const char *end = number.data() + number.size();
        const char *start = number.data() + (!number.empty() && number[0] == '+');
        auto [ptr, ec] = std::from_chars(start, end, parsed.amount);
        if (ec != std::errc() || ptr != end || start == end)
            return fail("\"" + std::string(number) + "\" is not a whole number");
        if (parsed.amount < kind->amountMin || parsed.amount > kind->amountMax)
            return fail(name + " " + std::string(number) + " is outside " + std::to_string(kind->amountMin) +
                        ".." + std::to_string(kind->amountMax));
    }
    fault = parsed;
    return true;
}

std::string FaultText(const Fault &fault)
{
    const FaultKindInfo *info = FaultKindOf(fault.channel, fault.kind);
    std::string text = FaultChannelWord(fault.channel);
    text += " ";
    text += info ? info->word : "off";
    if (info && TakesAmount(*info))
        text += " " + std::to_string(fault.amount);
    return text;
}
