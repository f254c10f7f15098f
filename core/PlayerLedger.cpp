#include "core/PlayerLedger.h"

#include "core/IntegerText.h"

namespace keno {
namespace {

constexpr const char* kApplication = "plinx";
constexpr int kSlotCount = 6;
constexpr std::int16_t kMaxBet = 5;

bool IsSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

std::string SectionOf(int slot) { return "player" + std::to_string(slot); }

// Only the exact texts "1".."6" name a slot; anything else means no slot is selected.
int SlotFromText(const std::string& text) {
    if (text.size() == 1 && text[0] >= '1' && text[0] < '1' + kSlotCount) return text[0] - '0';
    return 0;
}

template <typename T>
void ReadNumber(SettingsStore& store, const std::string& section, const char* key, T& variable) {
    if (const auto value = IntegerFromText<T>(store.Get(kApplication, section, key))) variable = *value;
}

// A bet is 0 (none yet) to 5; a stored number outside that, hand-edited or damaged, means no bet
// rather than a game that pays or takes more than the machine offers.
void ReadBet(SettingsStore& store, const std::string& section, std::int16_t& coinsbet) {
    if (const auto bet = IntegerFromText<std::int16_t>(store.Get(kApplication, section, "coinsbet")))
        coinsbet = (*bet >= 0 && *bet <= kMaxBet) ? *bet : std::int16_t{0};
}

}  // namespace

// A slot outside 1..6 has no record: nothing is read and the state is left as it is.
void PlayerLedger::LoadRecord(int slot) {
    if (!IsSlot(slot)) return;
    const std::string section = SectionOf(slot);
    ReadBet(store_, section, state_.coinsbet);
    ReadNumber(store_, section, "reelspeed", state_.reelspeed);
    ReadNumber(store_, section, "amountinvested", state_.amountinvested);
    ReadNumber(store_, section, "wager", state_.wager);
    ReadNumber(store_, section, "total", state_.total);
    ReadNumber(store_, section, "bank", state_.bank);
    ReadNumber(store_, section, "games", state_.games);
    state_.currentplayer = store_.Get(kApplication, section, "currentplayer");
}

// With no valid slot selected nothing is written: guessing a slot could overwrite another player's
// record, so the caller is told the save failed instead.
StoreStatus PlayerLedger::SaveRecord() {
    const int slot = SlotFromText(state_.playerslot);
    if (slot == 0) {
        return {false, {}, "no player slot is selected (\"" + state_.playerslot + "\" is not 1 to 6)"};
    }
    const std::string section = SectionOf(slot);
    store_.Save(kApplication, section, "coinsbet", TextFromInteger(state_.coinsbet));
    store_.Save(kApplication, section, "reelspeed", TextFromInteger(state_.reelspeed));
    store_.Save(kApplication, section, "amountinvested", TextFromInteger(state_.amountinvested));
    store_.Save(kApplication, section, "wager", TextFromInteger(state_.wager));
    store_.Save(kApplication, section, "total", TextFromInteger(state_.total));
    store_.Save(kApplication, section, "bank", TextFromInteger(state_.bank));
    store_.Save(kApplication, section, "games", TextFromInteger(state_.games));
    store_.Save(kApplication, section, "currentplayer", state_.currentplayer);
    return store_.Sync();
}

std::string PlayerLedger::StoredName(int slot) {
    if (!IsSlot(slot)) return {};
    return store_.Get(kApplication, SectionOf(slot), "currentplayer");
}

}  // namespace keno
