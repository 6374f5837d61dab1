#include "corruption.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "host/readout/state_fields.h"

namespace {

// Every setting, the key code, and the scratch the screens index tables with.
std::vector<const StateField *> Targets()
{
    std::vector<const StateField *> targets;
    for (size_t i = 0; i < StateFieldCount; ++i) {
        const StateField &field = StateFields[i];
        if (strncmp(field.name, "settings.", 9) == 0)
            targets.push_back(&field);
    }
    for (const char *name : {"pendingKey", "menuCursor", "editMode", "entryDigits[0]", "pendingCode"})
        targets.push_back(FindStateField(name));
    return targets;
}

// The ends of the type, values just outside the usual ranges, and anything.
int64_t DamagedValue(SoakRandom &random, FieldType type)
{
    int64_t lo = 0, hi = 0;
    switch (type) {
    case FieldType::U8:
        hi = UINT8_MAX;
        break;
    case FieldType::S8:
        lo = INT8_MIN, hi = INT8_MAX;
        break;
    case FieldType::U32:
        hi = UINT32_MAX;
        break;
    case FieldType::S32:
        lo = INT32_MIN, hi = INT32_MAX;
        break;
    case FieldType::Screen:
        return 0;
    }
    switch (random.Below(8)) {
    case 0:
        return 0;
    case 1:
        return lo;
    case 2:
        return hi;
    case 3:
        return lo < 0 ? -1 : 1;
    case 4:
        return random.Between(0, 12);
    case 5:
        return random.Between(lo < -30000 ? -30000 : lo, hi > 30000 ? 30000 : hi);
    default:
        return random.Between(lo, hi);
    }
}

} // namespace

std::string CorruptState(SoakRandom &random)
{
    static const std::vector<const StateField *> targets = Targets();
    std::string done;
    int count = 1 + (int)random.Below(3);
    for (int i = 0; i < count; ++i) {
        const StateField &field = *targets[random.Below((uint32_t)targets.size())];
        uint16_t index = (uint16_t)random.Below(field.count);
        int64_t value = DamagedValue(random, field.type);
        WriteStateField(field, value, index);
        if (!done.empty())
            done += "; ";
        done += field.name;
        if (field.count > 1)
            done += "[" + std::to_string(index) + "]";
        done += " = " + std::to_string(value);
    }
    return done;
}
