#include "tests/fuzz/SettingsFileProbe.h"

#include <unistd.h>

#include <QFile>
#include <QSettings>
#include <QStringList>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "core/PlayerLedger.h"
#include "shell/IniSettingsStore.h"
#include "shell/IniText.h"

namespace keno::fuzz {
namespace {

constexpr int kSlots = 6;

// QSettings caches files by name and re-reads one only when its size or time changes, so every
// probe writes under names never used before.
std::string FreshName(const std::string& folder, const char* what) {
    static unsigned long counter = 0;
    return folder + "/" + what + "-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".ini";
}

MachineState Filled(int slot, std::int32_t first, const char* name) {
    MachineState s;
    s.bank = first, s.games = first + 2, s.wager = first + 3, s.total = first + 4, s.amountinvested = first + 5;
    s.coinsbet = first < 0 ? 2 : 4;  // a bet the ledger can load back: 0..5
    s.reelspeed = static_cast<std::int16_t>(first + 6);
    s.currentplayer = name, s.playerslot = std::to_string(slot), s.activegame = "game1";
    return s;
}

// Saves every loaded slot into the file at path, then reads them back, over other values, through
// a new store.
void RoundTrip(const std::string& path, const std::string& label, ProbeResult& result) {
    {
        IniSettingsStore store(QString::fromStdString(path));
        for (int slot = 1; slot <= kSlots; ++slot) {
            MachineState state = result.loaded[slot];
            const StoreStatus status = PlayerLedger(state, store).SaveRecord();
            if (!status.ok) return result.problems.push_back(label + ": saving failed: " + status.reason);
        }
    }
    IniSettingsStore reread(QString::fromStdString(path));
    for (int slot = 1; slot <= kSlots; ++slot) {
        MachineState state = Filled(slot, 424242, "other");
        PlayerLedger(state, reread).LoadRecord(slot);
        if (!(state == result.loaded[slot]))
            result.problems.push_back(label + ": slot " + std::to_string(slot) + " read back differently");
    }
}

// Every value of the file outside the six records, as QSettings reads it. Read from a copy under a
// new name: QSettings keeps what it read of a name for the whole process.
std::map<QString, QString> OtherValues(const std::string& folder, const std::string& path) {
    const std::string copy = FreshName(folder, "view");
    std::map<QString, QString> values;
    if (!QFile::copy(QString::fromStdString(path), QString::fromStdString(copy))) return values;
    {
        QSettings settings(QString::fromStdString(copy), QSettings::IniFormat);
        const QStringList ledgerKeys = {"coinsbet", "reelspeed", "amountinvested", "wager",
                                        "total",    "bank",      "games",          "currentplayer"};
        for (const QString& key : settings.allKeys()) {
            // A key read as "", "player1//bank" or "notes/" cannot be asked for by that name (it
            // is looked up as "player1/bank", "notes"), and QSettings drops or merges it when it
            // rewrites a file.
            if (key.isEmpty() || key.split(u'/', Qt::SkipEmptyParts).join(u'/') != key) continue;
            const auto slash = key.indexOf(u'/');
            const QString section = key.left(slash);
            const bool ledger = slash > 0 && section.size() == 7 && section.startsWith(QStringLiteral("player")) &&
                                section[6] >= u'1' && section[6] <= u'6' && ledgerKeys.contains(key.mid(slash + 1));
            const QVariant value = settings.value(key);
            // As text, the way the game reads values: QSettings itself, rewriting a file, may
            // turn a list into a list of variants.
            const bool list = value.typeId() == QMetaType::QStringList || value.typeId() == QMetaType::QVariantList;
            if (!ledger) values[key] = list ? value.toStringList().join(u'|') : value.toString();
        }
    }
    std::remove(copy.c_str());
    return values;
}

}  // namespace

MachineState Before(int slot) { return Filled(slot, -7, "before"); }

ProbeResult ProbeSettingsFile(std::string_view bytes, const std::string& folder) {
    ProbeResult result;
    const std::string input = FreshName(folder, "in"), output = FreshName(folder, "out");
    if (!std::ofstream(input, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        result.problems.push_back("cannot write " + input);
        return result;
    }
    {
        IniSettingsStore store(QString::fromStdString(input));
        for (int slot = 1; slot <= kSlots; ++slot) {
            MachineState& state = result.loaded[slot] = Before(slot);
            PlayerLedger ledger(state, store);
            ledger.LoadRecord(slot);
            if (ledger.StoredName(slot) != state.currentplayer)
                result.problems.push_back("slot " + std::to_string(slot) + ": the slot list's name differs");
            if (state.playerslot != std::to_string(slot) || state.activegame != "game1")
                result.problems.push_back("slot " + std::to_string(slot) + ": loading touched slot or game");
        }
    }
    RoundTrip(output, "fresh file", result);
    // Saving the records into a damaged file must not change anything else the file holds. Where
    // the records cannot be edited in place QSettings rewrites the file, as it always did, and
    // tidies away what it cannot name: that case only has to read back.
    bool inPlace = true;
    const QByteArray text(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (int slot = 1; slot <= kSlots; ++slot) {
        inPlace = inPlace && ini::WithSection(text, QStringLiteral("player%1").arg(slot), {{"bank", "0"}}).has_value();
    }
    const auto others = OtherValues(folder, input);
    RoundTrip(input, "same file", result);
    if (inPlace && OtherValues(folder, input) != others) result.problems.push_back("saving changed values outside the records");
    std::remove(output.c_str());
    std::remove(input.c_str());
    return result;
}

}  // namespace keno::fuzz
