#include "options/PlayerName.h"

namespace keno {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

char32_t UpperCodePoint(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c < 0x80) return c;
    // Latin-1: à..þ except the division sign; ÿ has its capital in Latin Extended-A.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if (c == 0xB5) return 0x39C;   // micro sign: Greek capital mu
    if (c == 0x131) return U'I';   // dotless i
    if (c == 0x17F) return U'S';   // long s
    // Latin Extended-A: capital and small letters alternate, the capital first.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c % 2 == 1) ? c - 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
    // Greek and Cyrillic basic letters.
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if (c == 0x3AC) return 0x386;  // accented vowels
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    if (c >= 0x3B1 && c <= 0x3C9) return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at text[i], or 0 when it is not one.
std::size_t SequenceLength(std::string_view text, std::size_t i, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[i + k]);
        if (!IsContinuation(byte)) return 0;
        code = (code << 6) | (byte & 0x3F);
    }
    return length;
}

}  // namespace

std::size_t Utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = SequenceLength(text, i, code);
        i += length == 0 ? 1 : length;
        ++count;
    }
    return count;
}

std::string UpperCaseName(std::string_view name) {
    std::string out;
    out.reserve(name.size() + 4);
    for (std::size_t i = 0; i < name.size();) {
        char32_t code = 0;
        const std::size_t length = SequenceLength(name, i, code);
        if (length == 0) {
            // Not UTF-8 we understand: keep the byte, upper-casing plain ASCII.
            const char byte = name[i];
            out += (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 0x20) : byte;
            ++i;
            continue;
        }
        const char32_t upper = UpperCodePoint(code);
        if (upper == code) {
            out.append(name.substr(i, length));
        } else {
            AppendUtf8(out, upper);
        }
        i += length;
    }
    return out;
}

}  // namespace keno
