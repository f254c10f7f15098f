#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace keno::ini {

// The INI text as QSettings reads and writes it, so that a record can be written into a file
// without rewriting (or even parsing) the rest of it.

// How QSettings spells a key or section name, and a text value, in its INI files.
QByteArray EscapedKey(const QString& key);
QByteArray EscapedText(const QString& value);
// A key or section name as QSettings reads it back ("%XX", "%UXXXX", "\" for "/").
QString UnescapedKey(QByteArrayView key);

// One logical line as QSettings cuts the file: blanks and comments are skipped, quotes and
// backslashes can carry a line over several physical ones.
struct Line {
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1;  // position of the first "=" outside quotes, -1 without one
    qsizetype End() const { return start + length; }
};
// Reads the line at or after pos and moves pos past it; false when only blanks and comments remain.
bool NextLine(QByteArrayView data, qsizetype& pos, Line& line);

using Values = std::vector<std::pair<QString, QString>>;  // key, text

// The file with the keys of one section set to the given texts, as QSettings would have written
// them: existing keys are replaced where they stand, new keys take their sorted place in the
// section, a new section its sorted place among the others, and every other byte stays as it
// was (a file whose last line is left open, inside quotes, gets the new lines where they cannot
// join it). Empty for a section or key with "/" or named "general", and for a file with a
// section below this one ("player1/x"), which only QSettings itself can sort out.
std::optional<QByteArray> WithSection(const QByteArray& file, const QString& section, const Values& values);

}  // namespace keno::ini
