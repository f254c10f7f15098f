#include "shell/IniText.h"

#include <algorithm>
#include <map>

namespace keno::ini {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }
bool IsHexDigit(char16_t ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}
int HexValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

// Past the end of a line and the one line break that ends it (a comment on the same physical
// line stays, and is left to read as a comment).
qsizetype AfterBreak(QByteArrayView data, qsizetype end) {
    if (end < data.size() && data[end] == '\r') ++end;
    if (end < data.size() && data[end] == '\n') ++end;
    return end;
}

// Past the physical line that holds the end of a logical line, its comment included.
qsizetype NextPhysicalLine(QByteArrayView data, qsizetype end) {
    while (end < data.size() && data[end] != '\n' && data[end] != '\r') ++end;
    return AfterBreak(data, end);
}

// The section a header line opens, as QSettings names it; "general" headers open the keys
// without a section, which are reported as empty.
QString SectionName(QByteArrayView data, const Line& line, bool& general) {
    QByteArrayView text = data.sliced(line.start + 1, line.length - 1);
    if (const qsizetype close = text.indexOf(']'); close >= 0) text = text.first(close);
    text = text.trimmed();
    general = text.compare("general", Qt::CaseInsensitive) == 0;
    if (general) return {};
    if (text.compare("%general", Qt::CaseInsensitive) == 0) return QString::fromLatin1(text.sliced(1));
    return UnescapedKey(text);
}

QString KeyOf(QByteArrayView data, const Line& line) {
    qsizetype end = line.equals;
    while (end > line.start && (data[end - 1] == ' ' || data[end - 1] == '\t')) --end;
    return UnescapedKey(data.sliced(line.start, end - line.start));
}

bool Plain(const QString& name) {
    return !name.isEmpty() && !name.contains(u'/') && name.compare(QStringLiteral("general"), Qt::CaseInsensitive) != 0;
}

struct Edit {
    qsizetype at = 0;
    qsizetype remove = 0;
    QByteArray insert;
};

// Appending after the last line is safe unless that line is still open (inside quotes, or a
// backslash waiting for its line break): then the added text would become part of its value.
bool AppendKeepsLastLine(QByteArrayView data, qsizetype lastLineStart, const QByteArray& added) {
    const QByteArray tail = data.sliced(lastLineStart).toByteArray() + added;
    const qsizetype originalEnd = data.size() - lastLineStart;
    qsizetype pos = 0;
    Line line;
    return !NextLine(tail, pos, line) || line.End() <= originalEnd;
}

}  // namespace

QByteArray EscapedKey(const QString& key) {
    QByteArray result;
    result.reserve(key.size());
    for (const QChar qch : key) {
        const char16_t ch = qch.unicode();
        if (ch == '/') {
            result += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_' ||
                   ch == '-' || ch == '.') {
            result += static_cast<char>(ch);
        } else if (ch <= 0xFF) {
            result += '%';
            result += kHexDigits[ch / 16];
            result += kHexDigits[ch % 16];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) result += kHexDigits[(ch >> shift) & 0xF];
        }
    }
    return result;
}

// A text that holds a NUL is marked as a string, one that starts with "@" gets a second one, so
// that neither can pass for a serialised value. Control characters are escaped (a digit right after a numeric escape too, so it is not read as
// part of it), everything else is UTF-8; quotes keep separators and outer blanks.
QByteArray EscapedText(const QString& value) {
    const QString text = value.contains(QChar::Null) ? QStringLiteral("@String(") + value + u')'
                         : value.startsWith(u'@')    ? u'@' + value
                                                     : value;
    QByteArray result;
    result.reserve(text.size() + 2);
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    qsizetype runStart = -1;  // a run of characters written as plain UTF-8
    const auto endRun = [&](qsizetype at) {
        if (runStart >= 0) result += QStringView(text).sliced(runStart, at - runStart).toUtf8();
        runStart = -1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch == ';' || ch == ',' || ch == '=') needsQuotes = true;
        if (escapeNextIfDigit && IsHexDigit(ch)) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        const char* escape = nullptr;
        switch (ch) {
            case '\0': escape = "\\0"; escapeNextIfDigit = true; break;
            case '\a': escape = "\\a"; break;
            case '\b': escape = "\\b"; break;
            case '\f': escape = "\\f"; break;
            case '\n': escape = "\\n"; break;
            case '\r': escape = "\\r"; break;
            case '\t': escape = "\\t"; break;
            case '\v': escape = "\\v"; break;
            case '"': escape = "\\\""; break;
            case '\\': escape = "\\\\"; break;
            default: break;
        }
        if (escape) {
            endRun(i);
            result += escape;
        } else if (ch <= 0x1F) {
            endRun(i);
            result += "\\x" + QByteArray::number(ch, 16);
            escapeNextIfDigit = true;
        } else if (runStart < 0) {
            runStart = i;
        }
    }
    endRun(text.size());
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' ')) result = '"' + result + '"';
    return result;
}

QString UnescapedKey(QByteArrayView key) {
    QString result;
    qsizetype runStart = 0;
    const auto flush = [&](qsizetype end) { result += QString::fromUtf8(key.sliced(runStart, end - runStart)); };
    qsizetype i = 0;
    while (i < key.size()) {
        const char ch = key[i];
        if (ch == '\\') {
            flush(i);
            result += u'/';
            runStart = ++i;
            continue;
        }
        if (ch != '%' || i + 1 >= key.size()) {
            ++i;
            continue;
        }
        const bool wide = key[i + 1] == 'U';
        const qsizetype digits = wide ? 4 : 2, first = i + (wide ? 2 : 1);
        int code = first + digits <= key.size() ? 0 : -1;
        for (qsizetype d = first; code >= 0 && d < first + digits; ++d) {
            const int value = HexValue(key[d]);
            code = value < 0 ? -1 : code * 16 + value;
        }
        if (code < 0) {  // not an escape: the "%" stands for itself
            ++i;
            continue;
        }
        flush(i);
        result += QChar(static_cast<char16_t>(code));
        runStart = i = first + digits;
    }
    flush(key.size());
    return result;
}

bool NextLine(QByteArrayView data, qsizetype& pos, Line& line) {
    const qsizetype size = data.size();
    bool inQuotes = false;
    line.equals = -1;
    qsizetype start = pos;
    while (start < size && IsSpace(data[start])) ++start;
    qsizetype i = start;
    while (i < size) {
        const char ch = data[i++];
        if (ch == '=') {
            if (!inQuotes && line.equals < 0) line.equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            // An escaped line break (\n, \r, \r\n or \n\r) carries the line on.
            if (i < size) {
                const char escaped = data[i++];
                if (i < size && ((escaped == '\n' && data[i] == '\r') || (escaped == '\r' && data[i] == '\n'))) ++i;
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';') {
            if (i == start + 1) {  // a comment line
                while (i < size && data[i] != '\n' && data[i] != '\r') ++i;
                while (i < size && IsSpace(data[i])) ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    line.start = start;
    line.length = i - start;
    return line.length > 0;
}

std::optional<QByteArray> WithSection(const QByteArray& file, const QString& section, const Values& values) {
    if (!Plain(section)) return std::nullopt;
    if (values.empty()) return file;
    std::map<QString, QByteArray> wanted;  // key -> its line, sorted as QSettings sorts keys
    for (const auto& [key, text] : values) {
        if (!Plain(key)) return std::nullopt;
        wanted[key] = EscapedKey(key) + '=' + EscapedText(text) + '\n';
    }
    const QByteArrayView data(file);
    const qsizetype bodyStart = file.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    qsizetype pos = bodyStart;

    std::vector<Edit> edits;
    std::vector<std::pair<QString, Line>> firstChunk;  // the key lines of the first such section
    std::optional<Line> header, lastLine, lastOfFirstChunk;
    qsizetype nextSectionStart = -1;  // the header a new section goes before
    qsizetype lastHeaderStart = -1;
    bool inSection = false, inFirstChunk = false;
    std::map<QString, bool> kept;  // keys replaced where they stand
    Line line;
    while (NextLine(data, pos, line)) {
        lastLine = line;
        if (data[line.start] == '[') {
            lastHeaderStart = line.start;
            bool general = false;
            const QString name = SectionName(data, line, general);
            // QSettings looks a key up in the last section that sorts before it: a section
            // "player1/x" would hide the record's keys from it until QSettings rewrites the file.
            if (name.startsWith(section + u'/')) return std::nullopt;
            inSection = !general && name == section;
            inFirstChunk = inSection && !header;
            if (inFirstChunk) header = lastOfFirstChunk = line;
            if (!general && !inSection && nextSectionStart < 0 && !header && name > section) nextSectionStart = line.start;
            continue;
        }
        if (inFirstChunk) lastOfFirstChunk = line;
        if (!inSection || line.equals < 0) continue;
        const QString key = KeyOf(data, line);
        if (inFirstChunk) firstChunk.emplace_back(key, line);
        const auto it = wanted.find(key);
        if (it == wanted.end()) continue;
        if (inFirstChunk && !kept[key]) {
            kept[key] = true;
            QByteArray replacement = it->second;
            replacement.chop(1);  // the line's own break stays
            edits.push_back({line.start, line.length, replacement});
        } else {
            edits.push_back({line.start, AfterBreak(data, line.End()) - line.start, {}});
        }
    }

    // After the last line of the file, unless that line is still open (inside quotes, or a
    // backslash waiting for its line break): the added text would become part of its value.
    const auto append = [&](QByteArray added) -> bool {
        const qsizetype last = lastLine ? lastLine->start : 0;
        if (!file.isEmpty() && !file.endsWith('\n') && !file.endsWith('\r')) added.prepend('\n');
        if (!AppendKeepsLastLine(data, last, added)) return false;
        edits.push_back({file.size(), 0, added});
        return true;
    };
    const QByteArray opening = "[" + EscapedKey(section) + "]\n";

    if (!header) {
        QByteArray block = opening;
        for (const auto& entry : wanted) block += entry.second;
        if (nextSectionStart >= 0) {
            edits.push_back({nextSectionStart, 0, block + '\n'});
        } else if (!lastLine) {  // nothing but blanks and comments so far
            const bool broken = file.isEmpty() || file.endsWith('\n') || file.endsWith('\r');
            edits.push_back({file.size(), 0, broken ? block : '\n' + block});
        } else if (append('\n' + block)) {
        } else if (lastHeaderStart >= 0) {  // the end is open: a place before a header will do
            edits.push_back({lastHeaderStart, 0, block + '\n'});
        } else {  // no header at all: the keys without a section stay without one
            edits.push_back({bodyStart, 0, block + "\n[General]\n"});
        }
    } else {
        // New keys go before the first key of the section that sorts after them, or after its last line.
        std::map<qsizetype, QByteArray> inserts;
        QByteArray atEnd;
        for (const auto& entry : wanted) {
            const QString& key = entry.first;
            if (kept[key]) continue;
            const auto after = std::find_if(firstChunk.begin(), firstChunk.end(),
                                            [&key](const auto& keyLine) { return keyLine.first > key; });
            if (after == firstChunk.end()) {
                atEnd += entry.second;
            } else {
                inserts[after->second.start] += entry.second;
            }
        }
        for (auto& [at, text] : inserts) edits.push_back({at, 0, std::move(text)});
        const qsizetype end = lastOfFirstChunk->End(), next = NextPhysicalLine(data, end);
        if (atEnd.isEmpty()) {
        } else if (next > end && (next < file.size() || file.endsWith('\n') || file.endsWith('\r'))) {
            edits.push_back({next, 0, atEnd});
        } else if (append(atEnd)) {
        } else if (header->End() < end) {  // the section's last line is open: right after its header
            edits.push_back({NextPhysicalLine(data, header->End()), 0, atEnd});
        } else {  // the header itself is open: a second part of the section before it
            edits.push_back({header->start, 0, opening + atEnd + '\n'});
        }
    }

    // Insertions come before a replacement or removal at the same place.
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.at != b.at ? a.at < b.at : (a.remove == 0 && b.remove != 0);
    });
    QByteArray result;
    result.reserve(file.size() + 512);
    qsizetype cursor = 0;
    for (const Edit& edit : edits) {
        result += data.sliced(cursor, edit.at - cursor);
        result += edit.insert;
        cursor = edit.at + edit.remove;
    }
    result += data.sliced(cursor);
    return result;
}

}  // namespace keno::ini
