// The values of the window's sliders and check boxes as plain data, held
// apart from any window: what a state file sets and what is saved into one.
// Whoever owns a form reads them from it and applies them to it
// (host/form/control_widgets.h).
#pragma once
#include <cstdint>
#include <optional>

#include "host/controls/control_table.h"

struct ControlValues {
    // By Control: a slider's position, 1 or 0 for a check box; empty for a
    // control that is left as it is (and for every button).
    std::optional<int32_t> values[(int)Control::Count] = {};

    std::optional<int32_t> &operator[](Control control) { return values[(int)control]; }
    const std::optional<int32_t> &operator[](Control control) const { return values[(int)control]; }
    bool operator==(const ControlValues &) const = default;
};
