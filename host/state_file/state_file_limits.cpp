#include "host/state_file/state_file_limits.h"

#include <cstdio>
#include <vector>

namespace {

std::string Hex(uint8_t byte)
{
    char text[8];
    snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

// The length of the well-formed UTF-8 sequence of more than one byte that
// starts at text[i]; 0 when there is none (a stray continuation byte, an
// overlong form, a surrogate, a code point above U+10FFFF, a cut sequence).
size_t Utf8SequenceLength(std::string_view text, size_t i)
{
    const uint8_t lead = (uint8_t)text[i];
    size_t length;
    uint8_t low = 0x80, high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // not overlong
        else if (lead == 0xED)
            high = 0x9F; // not a surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // not above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const uint8_t byte = (uint8_t)text[i + k];
        if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

enum class Inside : uint8_t { Nothing, Comment, Basic, Literal, MultiLineBasic, MultiLineLiteral };

// An open list or inline table and the level it is at.
struct Open {
    char bracket; // '[' or '{'
    int level;
};

class Scan {
  public:
    Scan(std::string_view text, uint32_t *line, std::string *why) : text_(text), line_(*line), why_(*why) {}

    bool Run()
    {
        line_ = 1;
        if (text_.size() > StateFileMaxBytes) {
            for (size_t i = 0; i < StateFileMaxBytes; ++i)
                line_ += text_[i] == '\n';
            return Fail("the file is larger than " + std::to_string(StateFileMaxBytes / 1024) +
                        " KiB, far more than a state file holds");
        }
        size_t i = text_.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
        while (i < text_.size()) {
            const uint8_t c = (uint8_t)text_[i];
            if (c == '\n') {
                ++line_;
                NewLine();
                ++i;
                continue;
            }
            if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F)
                return Fail("control character " + Hex(c) + ": not allowed in a state file");
            if (c >= 0x80) {
                if (inside_ == Inside::Nothing)
                    return Fail(
                        "byte " + Hex(c) +
                        " outside a string or comment: only printable ASCII, tabs and line ends belong "
                        "there");
                if (escaped_)
                    return Fail("unknown escape: a backslash before " + Hex(c) + " in a string");
                if (trimming_)
                    return Fail(
                        "byte " + Hex(c) +
                        " after a backslash that ends a line of a string: the next line goes on with an "
                        "ASCII character");
                const size_t length = Utf8SequenceLength(text_, i);
                if (length == 0)
                    return Fail("not well-formed UTF-8 in a string or comment");
                i += length;
                continue;
            }
            const size_t used = inside_ == Inside::Nothing ? Structure(i) : InString(i);
            if (used == 0)
                return false;
            i += used;
        }
        return true;
    }

  private:
    bool Fail(const std::string &why)
    {
        why_ = why;
        return false;
    }

    bool At(size_t i, std::string_view what) const { return text_.substr(i, what.size()) == what; }

    // The level at which a key of the present table or inline table lives.
    int KeyLevel() const { return open_.empty() ? headerLevel_ : open_.back().level; }

    // A container at level: false when it lies too deep.
    bool Nest(int level)
    {
        if (level <= StateFileMaxNesting)
            return true;
        return Fail("nested " + std::to_string(level) + " levels deep: a state file has at most " +
                    std::to_string(StateFileMaxNesting));
    }

    void NewLine()
    {
        // A backslash that ends a line of a multi-line string: the reader
        // skips the blanks and line ends after it.
        trimming_ = trimming_ || (escaped_ && inside_ == Inside::MultiLineBasic);
        escaped_ = false;
        if (inside_ == Inside::Comment || inside_ == Inside::Basic || inside_ == Inside::Literal)
            inside_ = Inside::Nothing; // a one-line string cut by the line end: the reader refuses it
        if (inside_ == Inside::Nothing)
            last_ = '\0';
        if (inside_ == Inside::Nothing && open_.empty()) {
            atKey_ = true;
            lineStart_ = true;
            inHeader_ = false;
            keyDots_ = 0;
        }
    }

    // One character outside strings and comments; returns how many it took,
    // 0 after a failure.
    size_t Structure(size_t i)
    {
        const char c = text_[i];
        const bool wasLineStart = lineStart_;
        const bool blank = c == ' ' || c == '\t' || c == '\r';
        const bool valueMayStart = valueMayStart_;
        if (!blank)
            lineStart_ = false;
        if (!blank && c != '#' && c != '"' && c != '\'') {
            last_ = c;
            // A value begins after "=", and after "[" or "," in a list.
            valueMayStart_ = !atKey_ && (c == '[' || c == ',');
        }
        if (c == '#') {
            inside_ = Inside::Comment;
            return 1;
        }
        if (c == '"' || c == '\'') {
            // A string begins a key, a part of a dotted key or header, or a
            // value; a quote inside a bare word would be read differently
            // by the reader and by this scan.
            const bool begins = inHeader_ ? last_ == '[' || last_ == '.'
                                : atKey_  ? last_ == '\0' || last_ == '.' || last_ == '{' || last_ == ','
                                          : valueMayStart_;
            if (!begins)
                return Fail("a quote inside a word: a string begins a key or a value");
            last_ = c;
            valueMayStart_ = false;
            const bool triple = At(i, c == '"' ? "\"\"\"" : "'''");
            inside_ = c == '"' ? (triple ? Inside::MultiLineBasic : Inside::Basic)
                               : (triple ? Inside::MultiLineLiteral : Inside::Literal);
            escaped_ = false;
            return triple ? 3 : 1;
        }
        if (inHeader_) {
            if (c == '.' && !Nest(headerLevel_ + 1))
                return 0;
            if (c == '.')
                ++headerLevel_;
            else if (c == ']')
                inHeader_ = false;
            return 1;
        }
        if (atKey_) {
            if (c == '[' && wasLineStart && open_.empty()) {
                // A table header, [a.b] or [[a.b]]: each part one level.
                inHeader_ = true;
                headerLevel_ = 1;
                return At(i, "[[") ? 2 : 1;
            }
            if (c == '.') {
                ++keyDots_;
                return Nest(KeyLevel() + keyDots_) ? 1 : 0;
            }
            if (c == '=') {
                atKey_ = false;
                valueMayStart_ = true;
                valueLevel_ = KeyLevel() + keyDots_;
                return 1;
            }
            if (c == '}' && !open_.empty() && open_.back().bracket == '{')
                Close();
            return 1;
        }
        switch (c) {
        case '[':
        case '{':
            if (!valueMayStart) {
                Fail(std::string("\"") + c + "\" inside a word: a list or table begins a value");
                return 0;
            }
            if (!Nest(valueLevel_ + 1))
                return 0;
            open_.push_back({c, valueLevel_ + 1});
            valueLevel_ = open_.back().level;
            if (c == '{') {
                atKey_ = true;
                keyDots_ = 0;
            }
            return 1;
        case ']':
        case '}':
            if (!open_.empty() && open_.back().bracket == (c == ']' ? '[' : '{'))
                Close();
            return 1;
        case ',':
            if (!open_.empty() && open_.back().bracket == '{') {
                atKey_ = true;
                keyDots_ = 0;
            } else if (!open_.empty()) {
                valueLevel_ = open_.back().level;
            }
            return 1;
        default:
            return 1;
        }
    }

    // After a list or inline table closes, the next value of the one around
    // it (a list's element) is at that one's level.
    void Close()
    {
        open_.pop_back();
        atKey_ = false;
        if (!open_.empty())
            valueLevel_ = open_.back().level;
    }

    // One ASCII character inside a string or comment.
    size_t InString(size_t i)
    {
        const char c = text_[i];
        switch (inside_) {
        case Inside::Basic:
        case Inside::MultiLineBasic: {
            // The escapes of a basic string, and a blank after the backslash
            // that ends a line of a multi-line one.
            const bool blank = c == ' ' || c == '\t' || c == '\r';
            if (escaped_) {
                escaped_ = false;
                trimming_ = blank && inside_ == Inside::MultiLineBasic;
                if (std::string_view("btnfr\"\\uU \t\r").find(c) != std::string_view::npos)
                    return 1;
                return Fail(std::string("unknown escape \\") + c + " in a string");
            }
            if (!blank)
                trimming_ = false;
            if (c == '\\') {
                escaped_ = true;
                return 1;
            }
            const bool multiLine = inside_ == Inside::MultiLineBasic;
            if (c == '"' && (!multiLine || At(i, "\"\"\""))) {
                inside_ = Inside::Nothing;
                return multiLine ? 3 : 1;
            }
            return 1;
        }
        case Inside::Literal:
            if (c == '\'')
                inside_ = Inside::Nothing;
            return 1;
        case Inside::MultiLineLiteral:
            if (At(i, "'''")) {
                inside_ = Inside::Nothing;
                return 3;
            }
            return 1;
        default: // a comment
            return 1;
        }
    }

    std::string_view text_;
    uint32_t &line_;
    std::string &why_;
    Inside inside_ = Inside::Nothing;
    bool escaped_ = false;
    bool trimming_ = false; // the reader skips blanks after a line-ending backslash
    bool atKey_ = true;     // a key may come next (not a value)
    bool lineStart_ = true; // nothing but blanks on the line so far
    bool inHeader_ = false;
    int headerLevel_ = 0; // the level of the present [table]: 0 at the top
    int keyDots_ = 0;     // dots of the key being read
    int valueLevel_ = 0;  // the level of the container the next value lies in
    bool valueMayStart_ = false;
    char last_ = '\0'; // the last character outside strings and comments on the line
    std::vector<Open> open_;
};

} // namespace

bool CheckStateFileText(std::string_view text, uint32_t *line, std::string *why)
{
    return Scan(text, line, why).Run();
}
