#include "host/feed/csv_fields.h"

#include <algorithm>

#include "host/feed/engine_log.h"

namespace {

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view field, char separator)
{
    // A tab separates, so it is not a blank in a tab-separated line.
    auto blank = [separator](char c) { return c != separator && Blank(c); };
    while (!field.empty() && blank(field.front()))
        field.remove_prefix(1);
    while (!field.empty() && blank(field.back()))
        field.remove_suffix(1);
    return field;
}

} // namespace

CsvDialect DetectCsvDialect(std::string_view line)
{
    size_t commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted)
            commas += c == ',', semicolons += c == ';', tabs += c == '\t';
    }
    // The one the line has most of, a comma when as many: blanks after
    // commas may be tabs.
    if (tabs > commas && tabs >= semicolons)
        return {'\t', false};
    if (semicolons > commas)
        return {';', true};
    return {',', false};
}

bool CsvFields::Split(std::string_view line, const CsvDialect &dialect, std::string *why, size_t maxFields)
{
    fields_.clear();
    const char separator = dialect.separator;
    if (line.find('"') == std::string_view::npos) {
        // Most lines hold no quote: fields are pieces of the line, and
        // those not kept are only counted.
        for (;;) {
            const size_t end = line.find(separator);
            fields_.push_back(Trimmed(line.substr(0, end), separator));
            if (end == std::string_view::npos)
                break;
            line.remove_prefix(end + 1);
            if (fields_.size() == maxFields) {
                count_ = fields_.size() + 1 + (size_t)std::count(line.begin(), line.end(), separator);
                return true;
            }
        }
        count_ = fields_.size();
        return true;
    }
    // The unquoted text is never longer than the line, so that the views
    // into it stay valid while it grows.
    unquoted_.clear();
    unquoted_.reserve(line.size());
    size_t i = 0;
    count_ = 0;
    for (;;) {
        while (i < line.size() && line[i] != separator && Blank(line[i]))
            ++i;
        if (i < line.size() && line[i] == '"') {
            const size_t start = unquoted_.size();
            for (++i;; ++i) {
                if (i >= line.size()) {
                    *why = "a quote is not closed on its line";
                    return false;
                }
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"')
                        ++i;
                    else
                        break;
                }
                unquoted_.push_back(line[i]);
            }
            // Text after the closing quote belongs to the field as it is
            // written: "12" in is 12 in.
            const size_t end = std::min(line.find(separator, i), line.size());
            std::string_view after = line.substr(i + 1, end - i - 1);
            while (!after.empty() && after.back() != separator && Blank(after.back()))
                after.remove_suffix(1);
            unquoted_.append(after);
            if (count_++ < maxFields)
                fields_.push_back(std::string_view(unquoted_).substr(start));
            i = end;
        } else {
            // A quote inside a field that does not begin with one is text.
            const size_t end = std::min(line.find(separator, i), line.size());
            const std::string_view field = Trimmed(line.substr(i, end - i), separator);
            if (count_++ < maxFields)
                fields_.push_back(field);
            i = end;
        }
        if (i >= line.size())
            break;
        ++i; // the separator
    }
    return true;
}

bool ReadCsvNumber(std::string_view field, const CsvDialect &dialect, double *value)
{
    if (!dialect.decimalComma || field.find(',') == std::string_view::npos)
        return ReadFeedNumber(field, value);
    char text[40];
    if (field.size() >= sizeof text)
        return false;
    std::replace_copy(field.begin(), field.end(), text, ',', '.');
    return ReadFeedNumber(std::string_view(text, field.size()), value);
}
