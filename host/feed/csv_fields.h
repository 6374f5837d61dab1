// One line of CSV text split into its fields. The separator is found from
// the header line: the one of ',', ';' and tab it has most of outside
// quotes, ',' when as many, ';' before a tab; with ';' a decimal comma is
// read as a decimal point. A field may be quoted: it then holds the
// separator or a doubled quote as text, and a quote is closed on its own
// line; a quote elsewhere is text. Blanks around a field are dropped.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct CsvDialect {
    char separator = ',';
    bool decimalComma = false;
};

// The dialect of a file whose header (or first) line is this.
CsvDialect DetectCsvDialect(std::string_view line);

// The fields of one line, valid until the next Split.
class CsvFields {
  public:
    // Splits line into its fields, of which only the first maxFields are
    // kept (the others are only counted); false with *why when a quote is
    // not closed on the line.
    bool Split(std::string_view line, const CsvDialect &dialect, std::string *why,
               size_t maxFields = (size_t)-1);
    // The fields kept.
    size_t Size() const { return fields_.size(); }
    // All fields of the line.
    size_t Count() const { return count_; }
    std::string_view operator[](size_t i) const { return fields_[i]; }

  private:
    std::vector<std::string_view> fields_;
    size_t count_ = 0;
    std::string unquoted_; // the quoted fields' text, reserved to the line's length
};

// A finite number and nothing else (as ReadFeedNumber), with a decimal comma
// taken for the point in a dialect that has one.
bool ReadCsvNumber(std::string_view field, const CsvDialect &dialect, double *value);
