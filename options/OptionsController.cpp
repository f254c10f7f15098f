#include "options/OptionsController.h"

#include <array>
#include <utility>

#include "core/AdvisorSetting.h"
#include "options/PlayerName.h"

namespace keno {
namespace {

constexpr std::array<std::int16_t, 3> kSpeeds{1, 10, 20};
constexpr const char* kWindowCaption = "Current Player       ";

}  // namespace

OptionsController::OptionsController(MachineState& state, PlayerLedger& ledger, Messenger& messenger,
                                     OptionsHost& host, DisplayModeSwitch& display, ViewModel& keno22View,
                                     ViewModel* keno20View)
    : state_(state),
      ledger_(ledger),
      messenger_(messenger),
      host_(host),
      display_(display),
      keno22View_(keno22View),
      keno20View_(keno20View) {}

void OptionsController::SetUpperCase(std::function<std::string(std::string_view)> upperCase) {
    upperCase_ = std::move(upperCase);
}

void OptionsController::OpenOptions() {
    view_.open = true;
    Save();
    ShowOnGameWindows({.bet = true});
    for (int slot = 1; slot <= 6; ++slot) view_.machine[slot] = SlotCaption(ledger_.StoredName(slot));
    if (auto slot = SlotInUse()) SelectPlayerSlot(*slot);
    SelectSpeedButtonFor(state_.reelspeed, false);
    ShowStatistics(state_.games != 0 ? StatisticsColumn::OpeningWithGames : StatisticsColumn::OpeningNoGames,
                   state_, Upper(state_.currentplayer), view_);
}

void OptionsController::SelectPlayerSlot(int slot) {
    if (slot < 1 || slot > 6) return;
    view_.selectedSlot = slot;
    state_.playerslot = std::to_string(slot);
    state_.reelspeed = 0;
    state_.amountinvested = 0;
    state_.wager = 0;
    state_.total = 0;
    state_.bank = 0;
    state_.games = 0;
    state_.currentplayer.clear();
    state_.coinsbet = 0;
    ledger_.LoadRecord(slot);

    ++view_.player1FocusRequests;
    const std::string name = Upper(state_.currentplayer);
    view_.lblcurrentplayer = "Current Player   " + name;
    view_.lbllastbet = "Last Bet            " + std::to_string(state_.coinsbet);
    ShowOnGameWindows({.credit = true, .bet = true, .caption = true});
    view_.machine[slot] = SlotCaption(state_.currentplayer);
    ShowStatistics(state_.games != 0 ? StatisticsColumn::SlotChangeWithGames : StatisticsColumn::SlotChangeNoGames,
                   state_, name, view_);
    SelectSpeedButtonFor(state_.reelspeed, true);
    view_.advisorShown = AdvisorSetting(ledger_.Store()).Shown(slot);
}

// Written and synced at once, like a name: the choice belongs to the slot, not to the record the
// closing steps write.
void OptionsController::ShowAdvice(bool shown) {
    const std::optional<int> slot = SlotInUse();
    if (!slot) return;
    view_.advisorShown = shown;
    AdvisorSetting(ledger_.Store()).Set(*slot, shown);
    const StoreStatus status = ledger_.Store().Sync();
    if (status.ok) return;
    lastSaveFailure_ = status;
    host_.SaveFailed(status);
}

void OptionsController::SelectSpeed(int index) {
    if (index < 0 || index > 2) return;
    view_.selectedSpeed = index;
    state_.reelspeed = kSpeeds[static_cast<std::size_t>(index)];
    view_.speedlab = "Current Speed =   " + std::to_string(index + 1);
}

void OptionsController::EnterPlayerName(const std::string& text) {
    const std::size_t length = Utf8Length(text);
    if (length == 0 || length > kMaxPlayerNameLength) {
        Tell(length == 0 ? "Nothing Entered" : "Name Too Long");
        ClearNameBox();
        view_.lblcurrentplayer = "Current Player  " + Upper(state_.currentplayer);
        return;
    }
    state_.currentplayer = text;
    ClearNameBox();
    view_.lblcurrentplayer = "Current Player  " + Upper(state_.currentplayer);
    ShowOnGameWindows({.credit = true, .caption = true});
    if (auto slot = SlotInUse()) view_.machine[*slot] = SlotCaption(state_.currentplayer);
    Save();
}

void OptionsController::DeletePlayerDetails() {
    const Message question{"Are you sure you want to Delete Current Player's Details ?", kOptionsMessageTitle,
                           Icon::Critical, Buttons::YesNo, Answer::No};
    if (messenger_.Show(question) == Answer::Yes) {
        state_.amountinvested = 0;
        state_.total = 0;
        state_.bank = 0;
        state_.games = 0;
        Save();
        if (auto slot = SlotInUse()) host_.PlayerDetailsDeleted(*slot);
        ShowStatistics(StatisticsColumn::AfterDelete, state_, Upper(state_.currentplayer), view_);
        ShowOnGameWindows({.credit = true});
    }
    CloseOptions();
}

void OptionsController::CloseOptions() {
    // The window's own close event arrives again while the dialog is being unloaded.
    if (!view_.open) return;
    view_.open = false;
    Save();
    ClearNameBox();
    // activegame is always one of the two once keno22 has loaded; anything else brings back keno22
    // rather than leaving every window disabled.
    host_.ShowActiveGame(state_.activegame == "game2" ? "game2" : "game1");
    host_.CloseDialog();
}

void OptionsController::SetLargeScreen() {
    const auto [width, height] = display_.ScreenSizePixels();
    if (width != 800 && height != 600) {
        display_.ChangeDisplayMode(800, 600);
        host_.MoveMainWindowToOrigin();
    } else {
        Tell("Already 800 X 600 resolution !!\r");
    }
    CloseOptions();
}

void OptionsController::SetOriginalScreen() {
    display_.RestoreDisplayMode();
    host_.MoveMainWindowToOrigin();
    CloseOptions();
}

std::string OptionsController::Upper(std::string_view name) const {
    return upperCase_ ? upperCase_(name) : UpperCaseName(name);
}

std::string OptionsController::SlotCaption(std::string_view name) const {
    return name.empty() ? std::string("Vacant") : Upper(name);
}

std::optional<int> OptionsController::SlotInUse() const {
    const std::string& slot = state_.playerslot;
    if (slot.size() != 1 || slot[0] < '1' || slot[0] > '6') return std::nullopt;
    return slot[0] - '0';
}

void OptionsController::SelectSpeedButtonFor(int reelspeed, bool oneSelectsFastest) {
    if (reelspeed == 0 || (oneSelectsFastest && reelspeed == 1)) SelectSpeed(0);
    else if (reelspeed == 10) SelectSpeed(1);
    else if (reelspeed == 20) SelectSpeed(2);
}

void OptionsController::ShowOnGameWindows(GameWindowTexts which) {
    const std::string credit = std::to_string(state_.bank);
    const std::string bet = std::to_string(state_.coinsbet);
    const std::string caption = kWindowCaption + Upper(state_.currentplayer);
    const auto write = [&](ViewModel& view, const char* creditLabel) {
        if (which.credit) view.SetText(creditLabel, credit);
        if (which.bet) view.SetText("betpan", bet);
        if (which.caption) view.SetText("caption", caption);
    };
    write(keno22View_, "panelbank");
    if (keno20View_) write(*keno20View_, "lblcredit");
    host_.RefreshGameWindows();
}

void OptionsController::Save() {
    StoreStatus status = ledger_.SaveRecord();
    if (status.ok) return;
    lastSaveFailure_ = status;
    host_.SaveFailed(status);
}

void OptionsController::Tell(const std::string& text) {
    messenger_.Show(Message{text, kOptionsMessageTitle, Icon::Information, Buttons::Ok, Answer::Ok});
}

}  // namespace keno
