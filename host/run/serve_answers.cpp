#include "host/run/serve_answers.h"

#include <cstdio>
#include <cstring>

#include "host/readout/drawn_texts.h"
#include "lcd/frame_layout.h"

namespace {

// The length of the UTF-8 character starting at s[i], or 0 when the bytes
// there are not one (overlong forms and surrogates included).
size_t Utf8Length(std::string_view s, size_t i)
{
    const unsigned char c = (unsigned char)s[i];
    size_t n;
    uint32_t min;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2, min = 0x80;
    else if ((c & 0xF0) == 0xE0)
        n = 3, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4, min = 0x10000;
    else
        return 0;
    if (i + n > s.size())
        return 0;
    uint32_t code = c & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
        const unsigned char b = (unsigned char)s[i + k];
        if ((b & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (b & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return n;
}

// "value":... of one element.
std::string ElementJson(const StateField &field, uint16_t index)
{
    if (field.type == FieldType::Screen)
        return JsonString(StateFieldText(field));
    return std::to_string(ReadStateField(field, index));
}

std::string FieldJson(const StateField &field, uint16_t index, bool whole)
{
    if (!whole)
        return ElementJson(field, index);
    std::string list = "[";
    for (uint16_t i = 0; i < field.count; ++i)
        list += (i ? "," : "") + ElementJson(field, i);
    return list + "]";
}

const char Base64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Base64(const uint8_t *bytes, size_t size)
{
    std::string text;
    for (size_t i = 0; i < size; i += 3) {
        uint32_t group = (uint32_t)bytes[i] << 16;
        if (i + 1 < size)
            group |= (uint32_t)bytes[i + 1] << 8;
        if (i + 2 < size)
            group |= bytes[i + 2];
        for (size_t k = 0; k < 4; ++k)
            text += i + k <= size ? Base64Digits[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return text;
}

} // namespace

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = (unsigned char)text[i];
        if (c == '"' || c == '\\') {
            json += '\\';
            json += (char)c;
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else if (c >= 0x80) {
            const size_t n = Utf8Length(text, i);
            json += n ? std::string(text.substr(i, n)) : "\xEF\xBF\xBD";
            i += n ? n : 1;
            continue;
        } else {
            json += (char)c;
        }
        ++i;
    }
    return json + "\"";
}

std::string OkAnswer() { return "{\"ok\":true}"; }

std::string ErrorAnswer(std::string_view message)
{
    return "{\"ok\":false,\"error\":" + JsonString(message) + "}";
}

std::string FieldAnswer(const StateField &field, uint16_t index, bool whole)
{
    return "{\"ok\":true,\"value\":" + FieldJson(field, index, whole) + "}";
}

std::string StateAnswer()
{
    std::string json = "{\"ok\":true,\"state\":{";
    bool first = true;
    for (size_t i = 0; i < StateFieldCount; ++i) {
        const StateField &field = StateFields[i];
        if (strcmp(field.name, "lcdFrame") == 0)
            continue;
        json +=
            (first ? "\"" : ",\"") + std::string(field.name) + "\":" + FieldJson(field, 0, field.count != 1);
        first = false;
    }
    return json + "}}";
}

std::string TextsAnswer()
{
    std::string json = "{\"ok\":true,\"texts\":[";
    const std::vector<DrawnText> &texts = DrawnTexts();
    for (size_t i = 0; i < texts.size(); ++i)
        json += std::string(i ? "," : "") + "{\"x\":" + std::to_string(texts[i].x) +
                ",\"y\":" + std::to_string(texts[i].y) + ",\"text\":" + JsonString(texts[i].text) + "}";
    return json + "]}";
}

std::string FrameAnswer()
{
    std::string json;
    json.reserve(LcdHeight * (LcdWidth + 3) + LcdFrameBytes * 4 / 3 + 64);
    json += "{\"ok\":true,\"rows\":[";
    for (int y = 0; y < LcdHeight; ++y) {
        json += y ? ",\"" : "\"";
        for (int x = 0; x < LcdWidth; ++x)
            json += FrameDot(state.lcdFrame, x, y) ? '#' : '.';
        json += '"';
    }
    return json + "],\"base64\":\"" + Base64(state.lcdFrame, LcdFrameBytes) + "\"}";
}
