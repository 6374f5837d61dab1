#include "host/state_file/state_file_format.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string_view>
#include <toml++/toml.h>

#include "host/controls/control_table.h"
#include "host/readout/shown_input.h"
#include "host/readout/state_fields.h"
#include "host/state_file/state_file_limits.h"
#include "instrument/state.h"
#include "instrument/timekeeping.h"
#include "screens/time_adjust.h"

namespace {

enum class KeyKind : uint8_t { Field, Slider, CheckBox };

// The keys of a state file besides the flight log. A field's key is its name
// in the table of state fields, so "settings.accessCode" is the key
// accessCode of the table [settings]; a control's is its state-file key in
// the table [controls].
struct StateFileKey {
    std::string path;
    // The key files of earlier versions used for the same value ("" for
    // none): still read, with a warning that names the key to use.
    std::string formerPath;
    KeyKind kind;
    int64_t min, max;
    Control control; // Slider and CheckBox
};

// The ranges are what the instrument can store: minutes of 60..99 come from
// the Hobbs time editor in decimal mode, hours MaxHobbsHours from the
// counter, the maintenance hours from the three-digit editor, the code from
// four digits.
struct FieldKey {
    const char *path;
    int64_t min, max;
};
const FieldKey FieldKeys[] = {
    {"hobbsHours", 0, MaxHobbsHours},       {"hobbsMinutes", 0, 99}, {"hobbsSeconds", 0, 59},
    {"maintHours", 0, MaintEditorMaxHours}, {"maintMinutes", 0, 59}, {"settings.accessCode", 0, 9999},
};
constexpr const char *ControlsTable = "controls";

// The fields, then the sliders and check boxes of the control table.
const std::vector<StateFileKey> &Keys()
{
    static const std::vector<StateFileKey> keys = [] {
        std::vector<StateFileKey> list;
        for (const FieldKey &field : FieldKeys)
            list.push_back({field.path, "", KeyKind::Field, field.min, field.max, Control::Count});
        for (const ControlEntry &control : ControlTable) {
            if (!control.stateKey)
                continue;
            const bool slider = control.kind == ControlKind::Slider;
            list.push_back(
                {std::string(ControlsTable) + "." + control.stateKey,
                 control.formerStateKey ? std::string(ControlsTable) + "." + control.formerStateKey : "",
                 slider ? KeyKind::Slider : KeyKind::CheckBox, control.min, control.max, control.control});
        }
        return list;
    }();
    return keys;
}

// The flight log: a list of up to 24 entries, each { hours, minutes } or the
// word "empty". A flight is saved at its 60th minute before the minutes roll
// over into the hours, so 60 minutes is a value the store can hold.
constexpr const char *FlightLogKey = "flightLog";
constexpr const char *EmptyWord = "empty";
constexpr int64_t MaxEntryMinutes = 60;

const char *TypeWords(const toml::node &node)
{
    switch (node.type()) {
    case toml::node_type::table:
        return "a table";
    case toml::node_type::array:
        return "a list";
    case toml::node_type::string:
        return "a string";
    case toml::node_type::integer:
        return "a whole number";
    case toml::node_type::floating_point:
        return "a number with a fraction";
    case toml::node_type::boolean:
        return "true or false";
    case toml::node_type::date:
    case toml::node_type::time:
    case toml::node_type::date_time:
        return "a date or time";
    default:
        return "nothing";
    }
}

// Collects the problems and warnings of one file, each on its own line,
// to be listed in the order of the file's lines.
struct Report {
    struct Line {
        uint32_t number;
        std::string text;
    };
    const std::string &file;
    std::vector<Line> errors, warnings;

    void Add(std::vector<Line> &lines, const toml::node &node, const std::string &text)
    {
        uint32_t number = node.source().begin.line;
        lines.push_back({number, file + ":" + std::to_string(number) + ": " + text});
    }
    void Error(const toml::node &node, const std::string &key, const std::string &why)
    {
        Add(errors, node, key + ": " + why);
    }
    void Warning(const toml::node &node, const std::string &key)
    {
        Add(warnings, node, "warning: unknown key " + key + ", ignored");
    }
    void FormerKey(const toml::node &node, const StateFileKey &key)
    {
        Add(warnings, node,
            "warning: " + key.formerPath + " is an old name: read as " + key.path + ", the key to use now");
    }
    static std::vector<std::string> InFileOrder(std::vector<Line> lines)
    {
        std::stable_sort(lines.begin(), lines.end(),
                         [](const Line &a, const Line &b) { return a.number < b.number; });
        std::vector<std::string> texts;
        for (Line &line : lines)
            texts.push_back(std::move(line.text));
        return texts;
    }
};

std::string RangeText(int64_t min, int64_t max) { return std::to_string(min) + ".." + std::to_string(max); }

// A whole number within min..max; otherwise an error and false.
bool ReadNumber(const toml::node &node, const std::string &key, int64_t min, int64_t max, Report &report,
                int64_t *value)
{
    if (!node.is_integer()) {
        report.Error(node, key,
                     std::string("expected a whole number ") + RangeText(min, max) + ", found " +
                         TypeWords(node));
        return false;
    }
    int64_t v = node.as_integer()->get();
    if (v < min || v > max) {
        report.Error(node, key, std::to_string(v) + " is outside " + RangeText(min, max));
        return false;
    }
    *value = v;
    return true;
}

// The node at a dotted path of plain keys, or null.
const toml::node *NodeAt(const toml::table &root, std::string_view path)
{
    const toml::table *table = &root;
    for (;;) {
        size_t dot = path.find('.');
        const toml::node *node = table->get(path.substr(0, dot));
        if (!node || dot == std::string_view::npos)
            return node;
        table = node->as_table();
        if (!table)
            return nullptr;
        path = path.substr(dot + 1);
    }
}

// A key of the file, by its name or its old name.
bool IsKey(std::string_view path)
{
    if (path == FlightLogKey)
        return true;
    for (const StateFileKey &key : Keys())
        if (path == key.path || path == key.formerPath)
            return true;
    return false;
}

// A table that holds keys: "settings", "controls".
bool IsKeyTable(std::string_view path)
{
    for (const StateFileKey &key : Keys()) {
        std::string_view p = key.path;
        if (p.size() > path.size() && p.substr(0, path.size()) == path && p[path.size()] == '.')
            return true;
    }
    return false;
}

// The key's node, under its name or its old name (with a warning), and
// *name the one the file uses; null when the file has neither. Both at once
// is an error: which one is meant?
const toml::node *KeyNode(const toml::table &root, const StateFileKey &key, Report &report,
                          const std::string **name)
{
    const toml::node *node = NodeAt(root, key.path);
    const toml::node *former = key.formerPath.empty() ? nullptr : NodeAt(root, key.formerPath);
    *name = former ? &key.formerPath : &key.path;
    if (!former)
        return node;
    if (node) {
        report.Error(*former, key.formerPath,
                     "the same control as " + key.path + ", which the file also sets; keep only " + key.path);
        return nullptr;
    }
    report.FormerKey(*former, key);
    return former;
}

// Warns of every key that is not in the file format; a known table given as
// a value is an error.
void CheckKeys(const toml::table &table, const std::string &prefix, Report &report)
{
    for (auto &&[name, node] : table) {
        std::string path = prefix.empty() ? std::string(name.str()) : prefix + "." + std::string(name.str());
        // A quoted key with a dot in it is not the table path it looks like.
        bool plain = name.str().find('.') == std::string_view::npos;
        if (plain && IsKey(path))
            continue;
        if (plain && IsKeyTable(path)) {
            if (const toml::table *inner = node.as_table())
                CheckKeys(*inner, path, report);
            else
                report.Error(node, path, std::string("expected a table, found ") + TypeWords(node));
            continue;
        }
        report.Warning(node, prefix.empty() ? ShownInput(path) : prefix + "." + ShownInput(name.str()));
    }
}

void ReadFlightLogEntry(const toml::node &node, int index, Report &report, StateFileValues *values)
{
    std::string key = std::string(FlightLogKey) + " entry " + std::to_string(index + 1);
    if (const toml::value<std::string> *word = node.as_string()) {
        if (word->get() == EmptyWord) {
            values->flightLogHours[index] = FlightLogEmpty;
            values->flightLogMinutes[index] = FlightLogEmpty;
        } else {
            report.Error(node, key,
                         QuotedInput(word->get()) + " is neither \"empty\" nor { hours = .., minutes = .. }");
        }
        return;
    }
    const toml::table *entry = node.as_table();
    if (!entry) {
        report.Error(node, key,
                     std::string("expected { hours = .., minutes = .. } or \"empty\", found ") +
                         TypeWords(node));
        return;
    }
    const char *names[] = {"hours", "minutes"};
    const int64_t limits[] = {MaxFlightHours, MaxEntryMinutes};
    uint8_t *targets[] = {&values->flightLogHours[index], &values->flightLogMinutes[index]};
    for (int i = 0; i < 2; ++i) {
        const toml::node *part = entry->get(names[i]);
        int64_t v = 0;
        if (!part)
            report.Error(node, key, std::string(names[i]) + " missing");
        else if (ReadNumber(*part, key + ": " + names[i], 0, limits[i], report, &v))
            *targets[i] = (uint8_t)v;
    }
    for (auto &&[name, part] : *entry)
        if (name != names[0] && name != names[1])
            report.Warning(part, key + ": " + ShownInput(name.str()));
}

void ReadFlightLog(const toml::node &node, Report &report, StateFileValues *values)
{
    const toml::array *list = node.as_array();
    if (!list) {
        report.Error(node, FlightLogKey, std::string("expected a list of entries, found ") + TypeWords(node));
        return;
    }
    if (list->size() > (size_t)FlightLogEntries) {
        report.Error(node, FlightLogKey,
                     std::to_string(list->size()) + " entries, at most " + std::to_string(FlightLogEntries));
        return;
    }
    // A shorter list fills the first entries; the rest are empty.
    values->hasFlightLog = true;
    for (int i = 0; i < FlightLogEntries; ++i) {
        values->flightLogHours[i] = FlightLogEmpty;
        values->flightLogMinutes[i] = FlightLogEmpty;
    }
    for (size_t i = 0; i < list->size(); ++i)
        ReadFlightLogEntry(*list->get(i), (int)i, report, values);
}

// The table for a dotted key path, created as needed; *leaf gets the last key.
toml::table &TableFor(toml::table &root, std::string_view path, std::string_view *leaf)
{
    toml::table *table = &root;
    size_t dot;
    while ((dot = path.find('.')) != std::string_view::npos) {
        auto [it, added] = table->insert(path.substr(0, dot), toml::table{});
        table = it->second.as_table();
        path = path.substr(dot + 1);
    }
    *leaf = path;
    return *table;
}

} // namespace

bool ParseStateFile(const std::string &text, const std::string &fileName, StateFileValues *values,
                    std::vector<std::string> *warnings, std::string *error)
{
    *values = StateFileValues{};
    uint32_t line = 0;
    std::string why;
    if (!CheckStateFileText(text, &line, &why)) {
        *error = fileName + ":" + std::to_string(line) + ": " + why;
        return false;
    }
    toml::table root;
    try {
        root = toml::parse(text, fileName);
    } catch (const toml::parse_error &e) {
        *error = fileName + ":" + std::to_string(e.source().begin.line) +
                 ": not valid TOML: " + ShownInput(e.description(), SIZE_MAX);
        return false;
    }
    Report report{fileName, {}, {}};
    CheckKeys(root, "", report);
    const std::vector<StateFileKey> &keys = Keys();
    for (size_t k = 0; k < keys.size(); ++k) {
        const StateFileKey &key = keys[k];
        const std::string *name = nullptr;
        const toml::node *node = KeyNode(root, key, report, &name);
        if (!node)
            continue;
        if (key.kind == KeyKind::CheckBox) {
            if (const toml::value<bool> *ticked = node->as_boolean())
                values->controls[key.control] = ticked->get() ? 1 : 0;
            else
                report.Error(*node, *name, std::string("expected true or false, found ") + TypeWords(*node));
            continue;
        }
        int64_t v = 0;
        if (!ReadNumber(*node, *name, key.min, key.max, report, &v))
            continue;
        if (key.kind == KeyKind::Field)
            values->values.push_back({(uint8_t)k, v});
        else
            values->controls[key.control] = (int32_t)v;
    }
    if (const toml::node *log = root.get(FlightLogKey))
        ReadFlightLog(*log, report, values);
    // Warnings are told for a refused file too: a misspelt key is often
    // what a user fixes at the same time.
    if (warnings)
        for (std::string &line : Report::InFileOrder(report.warnings))
            warnings->push_back(std::move(line));
    if (!report.errors.empty()) {
        error->clear();
        for (const std::string &line : Report::InFileOrder(report.errors))
            *error += (error->empty() ? "" : "\n") + line;
        *values = StateFileValues{};
        return false;
    }
    return true;
}

void ApplyStateFileValues(const StateFileValues &values)
{
    for (const StateFileValues::Value &v : values.values)
        if (const StateField *field = FindStateField(Keys()[v.key].path))
            WriteStateField(*field, v.value);
    if (values.hasFlightLog)
        for (int i = 0; i < FlightLogEntries; ++i) {
            state.flightLogHours[i] = values.flightLogHours[i];
            state.flightLogMinutes[i] = values.flightLogMinutes[i];
        }
}

StateFileValues PresentStateFileValues(const ControlValues &controls)
{
    StateFileValues values;
    const std::vector<StateFileKey> &keys = Keys();
    for (size_t k = 0; k < keys.size(); ++k)
        if (keys[k].kind == KeyKind::Field)
            if (const StateField *field = FindStateField(keys[k].path))
                values.values.push_back({(uint8_t)k, ReadStateField(*field)});
    values.controls = controls;
    values.hasFlightLog = true;
    for (int i = 0; i < FlightLogEntries; ++i) {
        values.flightLogHours[i] = state.flightLogHours[i];
        values.flightLogMinutes[i] = state.flightLogMinutes[i];
    }
    return values;
}

std::string StateFileText(const StateFileValues &values)
{
    toml::table root;
    const std::vector<StateFileKey> &keys = Keys();
    for (const StateFileValues::Value &v : values.values) {
        std::string_view leaf;
        TableFor(root, keys[v.key].path, &leaf).insert_or_assign(leaf, v.value);
    }
    for (const StateFileKey &key : keys) {
        if (key.kind == KeyKind::Field || !values.controls[key.control])
            continue;
        const int32_t value = *values.controls[key.control];
        std::string_view leaf;
        toml::table &table = TableFor(root, key.path, &leaf);
        if (key.kind == KeyKind::Slider)
            table.insert_or_assign(leaf, (int64_t)value);
        else
            table.insert_or_assign(leaf, value != 0);
    }
    // Entries are inline tables, so that the list is always written as one
    // list of entries and "empty" words, whatever it holds.
    if (values.hasFlightLog) {
        toml::array log;
        for (int i = 0; i < FlightLogEntries; ++i) {
            if (values.flightLogHours[i] > MaxFlightHours) {
                log.push_back(EmptyWord);
                continue;
            }
            toml::table entry{{"hours", (int64_t)values.flightLogHours[i]},
                              {"minutes", (int64_t)values.flightLogMinutes[i]}};
            entry.is_inline(true);
            log.push_back(std::move(entry));
        }
        root.insert_or_assign(FlightLogKey, std::move(log));
    }

    std::ostringstream out;
    out << "# Simulator state: Hobbs meter, maintenance countdown, access code, flight log and\n"
           "# the window's controls. examples/state.toml describes every key.\n\n";
    out << toml::toml_formatter(root, toml::toml_formatter::default_flags &
                                          ~toml::format_flags::allow_literal_strings)
        << "\n";
    return out.str();
}
