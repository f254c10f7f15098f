// Records edited into the INI text in place, checked against QSettings itself: a file QSettings
// wrote comes out byte for byte as QSettings would write it, and in a hand-edited or damaged file
// every value outside the record reads as before.
#include "shell/IniText.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <random>

#include "shell/IniSettingsStore.h"

namespace {

using namespace keno;

QTemporaryDir scratch;

// QSettings keeps what it read of a file name for the whole process: every look uses a new name.
QString FreshPath() {
    static int counter = 0;
    return scratch.filePath(QStringLiteral("f%1.ini").arg(++counter));
}

QString Write(const QByteArray& bytes) {
    const QString path = FreshPath();
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return path;
}

QByteArray Read(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

using Record = std::map<QString, QString>;  // key -> text

// What QSettings makes of `bytes` with the record set: the bytes it writes, and every value it reads.
QByteArray WrittenByQSettings(const QByteArray& bytes, const QString& section, const Record& record) {
    const QString path = Write(bytes);
    {
        QSettings settings(path, QSettings::IniFormat);
        for (const auto& [key, text] : record) settings.setValue(section.isEmpty() ? key : section + u'/' + key, text);
    }
    return Read(path);
}

std::map<QString, QString> ValuesOf(const QByteArray& bytes, const QString& section = {}, const Record& record = {}) {
    QSettings settings(Write(bytes), QSettings::IniFormat);
    for (const auto& [key, text] : record) settings.setValue(section + u'/' + key, text);
    std::map<QString, QString> values;
    for (const QString& key : settings.allKeys()) {
        const QVariant value = settings.value(key);
        values[key] = QString::fromLatin1(value.typeName()) + u':' + value.toStringList().join(u'|');
    }
    return values;
}

// The store's save of one record into a copy of `bytes`.
QByteArray SavedByStore(const QByteArray& bytes, const QString& section, const Record& record) {
    const QString path = Write(bytes);
    IniSettingsStore store(path);
    for (const auto& [key, text] : record) store.Save("plinx", section.toStdString(), key.toStdString(), text.toStdString());
    const StoreStatus status = store.Sync();
    EXPECT_TRUE(status.ok) << status.reason;
    return Read(path);
}

const QStringList kLedgerKeys = {"coinsbet", "reelspeed", "amountinvested", "wager",
                                 "total",    "bank",      "games",          "currentplayer"};

TEST(IniText, AFileQSettingsWroteStaysExactlyAsQSettingsWritesIt) {
    const QString texts[] = {"", "0", "-2147483648", "Ann", "O'Brien, Jr.", "say \"hi\"; ok", "  blank edges  ",
                             QString::fromUtf8("Zoë Ångström \xF0\x9F\x8E\xB1"), "two\nlines\\ and =",
                             "@Variant(not really)", "@", QString::fromUtf8("a\0" "12", 4), QString("\x01" "f"), "tab\there",
                             QString(QChar(0x7F)) + QChar(0x80), "x=y", "\\x41", "%41", "[player2]", ";no comment"};
    // The last one only QSettings itself can place.
    const QString sections[] = {"player1", "player2", "player3", "player6", "aaa", "notes", "player10", "Zeta",
                                "sub/group"};
    const QString extraKeys[] = {"Bank", "aaa", "bank2", "zzz", "note"};
    std::mt19937 random(20240611);
    const auto pick = [&random](const auto& list) { return list[random() % std::size(list)]; };
    const auto someRecord = [&] {
        Record record;
        for (const QString& key : kLedgerKeys) {
            if (random() % 3 != 0) record[key] = pick(texts);
        }
        if (random() % 4 == 0) record[pick(extraKeys)] = pick(texts);
        if (record.empty()) record["bank"] = pick(texts);
        return record;
    };
    for (int file = 0; file < 12; ++file) {
        // A file as an earlier run wrote it: a few records, sometimes keys outside any section.
        QByteArray bytes;
        for (int i = 0; i < file % 4; ++i) bytes = WrittenByQSettings(bytes, pick(sections), someRecord());
        if (file % 5 == 4) bytes = WrittenByQSettings(bytes, {}, {{"loose", "1"}});
        for (int save = 0; save < 12; ++save) {
            const QString section = pick(sections);
            const Record record = someRecord();
            const QByteArray expected = WrittenByQSettings(bytes, section, record);
            const QByteArray saved = SavedByStore(bytes, section, record);
            ASSERT_EQ(saved.toStdString(), expected.toStdString())
                << "saving [" << section.toStdString() << "] into:\n" << bytes.toStdString();
            bytes = saved;
        }
    }
}

TEST(IniText, HandEditedFilesKeepEveryOtherValueAndTheirOwnWords) {
    struct Case {
        const char* what;
        QByteArray text;
    } cases[] = {
        {"comments and blanks", "; keep\n[player1]\n  bank = 5 ; keep\n\n;keep\ngames=1\n[notes]\na=1 ; keep\n"},
        {"Windows line ends", "; keep\r\n[player1]\r\nbank=5\r\n[player3]\r\nbank=7"},
        {"old Mac line ends", "; keep\r[player1]\rbank=5\r[player3]\rbank=7\r"},
        {"a byte-order mark", "\xEF\xBB\xBF; keep\n[player2]\nbank=5\n"},
        {"the record twice", "; keep\n[player1]\nbank=1\nx=1\n[notes]\nn=1\n[ player1 ] junk\nbank=2\ngames=3\ny=2\n"},
        {"indented lines after comments", "[player1]\nbank=0\n; keep\n  [notes]\nbank=1\n;keep\n\tgames=2\n"},
        {"a key twice", "; keep\n[player1]\nbank=1\nbank=2\nwager=1\n"},
        {"escaped names", "; keep\n[player%31]\nb%61nk=5\n[%General]\ng=1\n"},
        {"general keys", "; keep\nplayer1\\bank=9\nloose=1\n[General]\nplayer2\\games=4\n"},
        {"values over several lines", "; keep\n[player1]\nname=\"a\n[player2]\nbank=1\"\nbank=5\\\n[notes]\nx=1\n"},
        {"header at the end, no line break", "; keep\n[notes]\nx=1\n[player1]"},
        {"last value with no line break", "; keep\n[player1]\nbank=5"},
        {"only comments, no line break", "; keep\n; keep"},
        {"unknown and serialised values", "; keep\n[player1]\nother=@Rect(1 2 3 4)\nlist=a, b\n[x]\nv=@Variant(\\0)\n"},
        {"an empty file", ""},
        {"garbage", QByteArray("; keep\n\0\xff[\x01=\x80\n=\n[]\n[player1", 26)},
        {"quotes open at the end", "; keep\n[notes]\nx=\"open"},
        {"a backslash at the end", "; keep\n[notes]\nx=open\\"},
        {"the record's last line open", "; keep\n[player1]\nbank=1\nname=\"open\n[player2]\nx=1"},
        {"the record's header open", "; keep\n[notes]\nx=1\n[player1]\"open"},
        {"no header, the end open", "; keep\nloose=1\nopen=\"a\r\n[player2]"},
    };
    const Record record = {{"bank", "120"}, {"games", "2"}, {"currentplayer", "Kim, \"K\""}, {"wager", ""}};
    for (const Case& c : cases) {
        for (const QString section : {"player1", "player2", "player5"}) {
            SCOPED_TRACE(std::string(c.what) + ", saving " + section.toStdString());
            const QByteArray saved = SavedByStore(c.text, section, record);
            EXPECT_EQ(ValuesOf(saved), ValuesOf(c.text, section, record)) << saved.toStdString();
            EXPECT_EQ(saved.count("keep"), c.text.count("keep")) << saved.toStdString();
        }
    }
}

}  // namespace
