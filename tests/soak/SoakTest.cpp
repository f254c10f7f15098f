// The whole machine (both games, the board, the options controller) under a seeded random player,
// every invariant checked after each action. KENO_SOAK_ACTIONS and KENO_SOAK_SEED lengthen the run
// or change the player (bench/soak.sh).
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <deque>
#include <functional>
#include <iostream>
#include <random>
#include <sstream>

#include "core/MemorySettingsStore.h"
#include "keno20/Keno20Game.h"
#include "keno22/Keno22Game.h"
#include "keno22/Keno22PaySchedule.h"
#include "options/OptionsController.h"
#include "tests/fakes/RecordingFakes.h"

namespace keno {
namespace {

// Money as the soak counts it from what each action visibly did, apart from the engines' meters.
struct Books {
    std::int64_t invested = 0, charged = 0, won = 0;  // charged: every bet taken, extra balls too
    std::int64_t wagered = 0, games = 0;              // every bet and every game, as the meters count
};

struct SoakClock final : Clock {
    double now = 36000.0;
    double SecondsSinceMidnight() override { return now; }
};
struct SoakHost final : OptionsHost, DisplayModeSwitch {
    bool saveFailed = false;
    std::pair<int, int> screen{1024, 768};
    void ShowActiveGame(const std::string&) override {}
    void MoveMainWindowToOrigin() override {}
    void CloseDialog() override {}
    void RefreshGameWindows() override {}
    void SaveFailed(const StoreStatus&) override { saveFailed = true; }
    void ChangeDisplayMode(int width, int height) override { screen = {width, height}; }
    void RestoreDisplayMode() override { screen = {1024, 768}; }
    std::pair<int, int> ScreenSizePixels() override { return screen; }
};

struct Seams {
    RecordingSound sound;
    ScriptedMessenger messenger;
    SeededRandomSource random;
    SoakClock clock;
};
struct Window22 {
    ViewModel view;
    clsKenoBoard board;
    Keno22Game game;
    Window22(MachineState& s, Seams& m) : board(BoardRules::Keno22, s, view, m.sound, m.messenger, m.random),
                                          game(s, board, view, m.sound, m.messenger, m.random, m.clock) {}
};
struct Window20 {
    ViewModel view;
    Keno20PayTable payTable{view};
    clsKenoBoard board;
    Keno20Game game;
    Window20(MachineState& s, Seams& m) : board(BoardRules::Keno20, s, view, m.sound, m.messenger, m.random),
        game(s, board, payTable, view, m.sound, m.messenger, m.random) { board.SetPayTable(&payTable); }
};

// One run of the program: what a restart throws away. The settings store outlives it.
struct Program {
    MachineState state;
    PlayerLedger ledger;
    SoakHost host;
    Window22 keno22;
    std::unique_ptr<Window20> keno20;  // created on the first switch
    OptionsController options;
    Program(MemorySettingsStore& store, Seams& m)
        : ledger(state, store), keno22(state, m), options(state, ledger, m.messenger, host, host, keno22.view) {}
};

// A weighted menu of the presses possible right now.
struct Choice {
    const char* name;
    double weight;
    std::function<void()> action;
};
struct Choices : std::vector<Choice> {
    void Add(bool possible, const char* name, double weight, std::function<void()> action) {
        if (possible) push_back({name, weight, std::move(action)});
    }
};

const std::string kSlotOne = "1";  // (a copy, not a literal: GCC 12 warns falsely on the latter)

// Played one action at a time; a broken invariant throws, naming it with the meters and the books.
class SoakMachine : public Seams {
public:
    explicit SoakMachine(std::uint64_t seed)
        : Seams{{}, {}, SeededRandomSource(seed ^ 0x6b656e6f32320000ULL), {}}, player_(seed) {
        StartProgram();
        CheckAll();
    }

    std::int64_t actions = 0, games = 0;
    std::deque<std::string> log;  // the last actions, oldest first

    void Act() {
        ++actions;
        messenger.shown.clear(), sound.cues.clear(), store_.ClearSaveCalls();
        const bool k22 = State().activegame != "game2";
        ViewModel& v = View(k22);
        clsKenoBoard& board = Board(k22);
        Choices c;
        c.Add(v.Enabled("coinsin"), "COINS", State().bank < 5 ? 5 : 1, [&] { Coins(board); });
        c.Add(v.Enabled("makbet"), "MAKE BET", 2, [&] { board.MakeBet(); });
        c.Add(true, "square", 8, [&] { Square(board); });
        c.Add(v.Enabled("btnautoselect"), "AUTO SELECT", 2.5, [&] { board.AutoSelect(); });
        c.Add(v.Enabled("rubber"), "ERASE", board.mustErase() ? 4 : 1, [&] { board.EraseBoard(); });
        c.Add(v.Enabled("start"), "PLAY", 8, [&] { Play(k22); });
        c.Add(k22 && v.Enabled("takwin"), "TAKE WIN", 4, [&] { SettleOffer(false); });
        c.Add(k22 && (v.Enabled("xtraballs") || v.Enabled("flash")), "EXTRA BALLS", 4, [&] { SettleOffer(true); });
        AddTicks(c, k22, 1);
        c.Add(v.Enabled(k22 ? "btn20ball" : "btkeno22"), k22 ? "switch to 20 ball" : "switch to 22 ball", 1.5,
              [&] { SwitchGame(); });
        c.Add(v.Enabled("mnuoptions"), "OPTIONS", 1.2, [&] { Options(); });
        c.Add(!k22 || v.Enabled("mnexit"), "quit and start again", 0.3, [&] { Restart(); });
        Choose(c, k22 ? "22: " : "20: ");
        CheckAll();
    }

private:
    MachineState& State() { return program_->state; }
    Window22& K22() { return program_->keno22; }
    Window20& K20() { return *program_->keno20; }
    ViewModel& View(bool k22) { return k22 ? K22().view : K20().view; }
    clsKenoBoard& Board(bool k22) { return k22 ? K22().board : K20().board; }

    void StartProgram() {
        program_ = std::make_unique<Program>(store_, *this);
        State().activegame = "game1";
        LoadSlotOne(true);
        for (const char* name : {"rubber", "start", "flash", "xtraballs", "takwin"}) K22().view.Enable(name, false);
        K22().view.Enable("makbet", State().bank >= 1);
    }

    void LoadSlotOne(bool zeroFirst) {
        State().playerslot = kSlotOne;
        program_->ledger.LoadRecord(1);
        LoadBooks(1, zeroFirst);
        if (State().reelspeed < 1) State().reelspeed = 1;
    }

    void Restart() {
        if (K22().game.OfferOpen()) SettleOffer(false);
        SaveSlotInUse(), StartProgram();
    }

    void SwitchGame() {
        MachineState& state = State();
        if (state.activegame == "game2") return state.activegame = "game1", K20().game.StopHitBlink();
        if (!program_->keno20) {
            SaveSlotInUse();
            program_->keno20 = std::make_unique<Window20>(state, *this);
            LoadSlotOne(false);
            K20().game.StopHitBlink(), K20().payTable.StopRowFlash(), K20().payTable.ClearSchedule();
            K20().view.SetText("spts", "0"), K20().board.PaintAllPlain();
            state.coinsbet = 1;
            program_->options.SetKeno20View(&K20().view);
        }
        state.activegame = "game2";
        K22().view.SetTimer("Timer1", false);
    }

    void Options() {
        Log("OPTIONS");
        OptionsController& options = program_->options;
        const MachineState opened = State();
        options.OpenOptions();
        Require(State().reelspeed == opened.reelspeed || (opened.reelspeed == 0 && State().reelspeed == 1),
                "opening the options changed the speed from " + std::to_string(opened.reelspeed));
        Saved(opened);
        static const char* const kNames[] = {"", "Ann", "Bob Carol", "ZOE", "\xc3\x89lodie", "A name too long for it"};
        for (int n = Pick(0, 3); n > 0; --n) {
            const int control = Pick(0, 2);  // slot 1..6, speed button 0..2, name
            const int value = control == 0 ? Pick(1, 6) : Pick(0, control == 1 ? 2 : 5);
            const std::string name = control == 2 ? kNames[value] : "";
            Log("  " + (control == 2 ? '"' + name + '"' : (control ? "speed " : "slot ") + std::to_string(value)));
            if (control == 0 && Chance(0.3)) {  // a hand-edited bet: loads as no bet
                static const char* const kBadBets[] = {"-5", "9", "6", "-1", "32767"};
                const char* bad = kBadBets[Pick(0, 4)];
                store_.Put("plinx", "player" + std::to_string(value), "coinsbet", bad);
                Log(std::string("  stored coinsbet=") + bad);
            }
            if (control == 0) options.SelectPlayerSlot(value), LoadBooks(value, true);
            else if (control == 1) options.SelectSpeed(value);
            else if (options.EnterPlayerName(name), !name.empty() && name.size() <= 12) Saved(State());
            CheckAll();
        }
        using Way = void (OptionsController::*)();
        static const std::pair<const char*, Way> kWays[] = {
            {"delete, answered Yes", &OptionsController::DeletePlayerDetails},
            {"delete, answered No", &OptionsController::DeletePlayerDetails},
            {"800 x 600", &OptionsController::SetLargeScreen},
            {"original screen", &OptionsController::SetOriginalScreen},
            {"OK", &OptionsController::CloseOptions}};
        const int way = std::min(Pick(0, 9), 4);  // OK six times in ten
        Log(std::string("  options ") + kWays[way].first);
        if (way <= 1) messenger.answers.push_back(way == 0 ? Answer::Yes : Answer::No);
        (options.*kWays[way].second)();
        if (way == 0) books_ = Books{0, 0, 0, books_.wagered, 0};
        Saved(State());
        Require(!program_->host.saveFailed && !options.View().open, "a record save failed or the dialog stayed open");
    }

    void SaveSlotInUse() {
        const StoreStatus status = program_->ledger.SaveRecord();
        Require(status.ok, "saving the slot in use failed: " + status.reason);
        Saved(State());
    }

    void Saved(const MachineState& state) {
        storedBooks_[static_cast<std::size_t>(SlotInUse())] = books_;
        RequireLoads(store_, state, "the stored record differs from the machine state it was saved from");
    }
    void LoadBooks(int slot, bool zeroFirst) {
        if (zeroFirst) books_ = Books{};
        if (const auto& stored = storedBooks_[static_cast<std::size_t>(slot)]) books_ = *stored;
    }
    int SlotInUse() {
        const std::string& slot = State().playerslot;
        Require(slot.size() == 1 && slot[0] >= '1' && slot[0] <= '6', "no slot in use: \"" + slot + "\"");
        return slot[0] - '0';
    }

    void Choose(Choices& c, const std::string& where) {
        double total = 0;
        for (const Choice& choice : c) total += choice.weight;
        double x = std::uniform_real_distribution<double>(0, total)(player_);
        auto chosen = std::find_if(c.begin(), c.end(), [&x](const Choice& choice) { return (x -= choice.weight) < 0; });
        if (chosen == c.end()) --chosen;
        Log(where + chosen->name);
        chosen->action();
    }

    void AddTicks(Choices& c, bool k22, double weight) {
        c.Add(View(k22).TimerRunning("Timer1"), "Timer1 tick", weight,
              [this, k22] { k22 ? K22().game.FlashTick() : K20().game.FlashTick(); });
        c.Add(View(k22).TimerRunning(k22 ? "tmrflash" : "timerpay"), k22 ? "tmrflash tick" : "timerpay tick", weight,
              [this, k22] { k22 ? K22().game.OfferTick() : K20().payTable.RowFlashTick(); });
    }
    void Coins(clsKenoBoard& board) { board.InsertCoins(), books_.invested += 20; }
    void Square(clsKenoBoard& board) {
        const int n = Pick(1, 80);
        log.back() += ' ' + std::to_string(n);
        board.MarkSquare(n);
    }

    void RunSequence(bool k22) {
        for (int steps = 0;; ++steps) {
            const auto pause = k22 ? K22().game.Advance() : K20().game.Advance();
            if (!pause) break;
            Require(*pause >= 0, "a negative pause");
            clock.now = std::fmod(clock.now + *pause / 1000.0, 86400.0);
            Require(State().bank >= 0, "credit below zero in the middle of a game");
            Require(steps < 100000, "a game sequence never ended");
            if (!Chance(0.01)) continue;
            const ViewModel& v = View(k22);
            clsKenoBoard& board = Board(k22);
            Choices c;
            c.Add(v.Enabled("coinsin"), "COINS", 2, [&] { Coins(board); });
            c.Add(k22 && v.Enabled("makbet"), "MAKE BET", 2, [&] { board.MakeBet(); });
            c.Add(v.Enabled("rubber") && (k22 || State().bank < 1), "ERASE", k22 ? 2 : 1, [&] { board.EraseBoard(); });
            c.Add(true, "square", 2, [&] { Square(board); });
            AddTicks(c, k22, 3);
            Choose(c, "  during: ");
        }
    }

    void Play(bool k22) {
        MachineState& s = State();
        const MachineState before = s;
        const std::span<const int> drawn = k22 ? std::span<const int>(K22().game.drawn()) : K20().game.drawn();
        const std::vector<int> drawnBefore(drawn.begin(), drawn.end());
        k22 ? K22().game.Play() : K20().game.Play();
        RunSequence(k22);
        if (std::ranges::equal(drawn, drawnBefore))
            return Require(s.wager == before.wager && s.games == before.games, "PLAY drew nothing but counted a game");
        ++games;
        const std::int32_t bet = s.coinsbet;
        const std::int64_t charge = std::int64_t{s.wager} - before.wager;
        const std::vector<int> played = Board(k22).Picks();
        const int spots = static_cast<int>(played.size());
        const std::int32_t charged = k22 ? K22().game.bet() : K20().game.bet();
        Require(charge == bet && charged == bet && bet >= 1 && bet <= 5 && spots >= (k22 ? 2 : 3) && spots <= 10,
                "PLAY took " + std::to_string(charge) + " for a bet of " + std::to_string(bet) + " on " +
                    std::to_string(spots) + " spots");
        books_.charged += charge, books_.wagered += charge;
        std::array<bool, 81> seen{};
        for (int n : drawn)
            Require(n >= 1 && n <= 80 && !std::exchange(seen[static_cast<std::size_t>(n)], true),
                    "the draw holds " + std::to_string(n) + " twice or out of 1..80");
        Require(k22 ? K22().game.picked() == played : K20().game.spots() == spots,
                "a game was played on other numbers than those marked");
        std::int32_t win = 0;
        bool offer = false;
        if (!k22) {
            if (const auto pay = Keno20PaySchedule::Lookup(spots, K20().game.hits())) win = bet * pay->multiplier;
        } else if (const auto entry = Keno22PaySchedule::Lookup(spots, K22().game.hits()); entry && K22().game.hits() >= 2) {
            win = bet * entry->multiplier;
            offer = entry->offer;
        }
        const std::int32_t paid = k22 ? K22().game.win() : K20().game.win();
        Require(paid == win, "the draw was valued at " + std::to_string(paid) + ", not " + std::to_string(win));
        Require(!k22 || K22().game.OfferOpen() == offer, "the offer opened on the wrong result");
        books_.games += 1;
        if (!offer) books_.won += win;  // an offer is paid by TAKE WIN or the extra balls
    }

    void SettleOffer(bool buy) {
        Keno22Game& game = K22().game;
        const std::int32_t bet = game.bet();  // the bet PLAY charged, whatever the meter says now
        const bool affordable = bet <= State().bank;
        Require(buy || game.OfferOpen(), "TAKE WIN without an offer");
        buy ? game.BuyExtraBalls() : game.TakeWin();
        RunSequence(true);
        if (buy && !affordable)
            return Require(game.OfferOpen() && !messenger.shown.empty(), "extra balls bought beyond the credit");
        const auto entry = Keno22PaySchedule::Lookup(game.spots(), game.hits());
        Require(buy || entry.has_value(), "an offer on a result that pays nothing");
        const std::int32_t win = entry ? bet * entry->multiplier : 0;
        Require(!game.OfferOpen() && game.win() == win, std::string(buy ? "the extra balls" : "TAKE WIN") + " paid " +
                                                            std::to_string(game.win()) + ", not " + std::to_string(win));
        books_.charged += buy ? bet : 0, books_.wagered += buy ? bet : 0, books_.won += win;
    }

    void CheckAll() {
        const MachineState& s = State();
        Require(s.bank >= 0, "credit below zero");
        Require(s.coinsbet >= 0 && s.coinsbet <= 5, "a bet outside 0..5 in hand");
        Require(s.bank == books_.invested - books_.charged + books_.won, "credit is not invested - charged + won");
        Require(s.amountinvested == books_.invested && s.total == books_.won && s.wager == books_.wagered &&
                    s.games == books_.games, "a meter differs from the books");
        CheckBoard("keno22", K22().board, K22().view, K22().game.Running());
        if (program_->keno20) CheckBoard("keno20", K20().board, K20().view, K20().game.Running());
        MachineState copy = s;  // saving the machine state and reading it back gives the same state
        PlayerLedger(copy, scratch_).SaveRecord();
        scratch_.ClearSaveCalls();
        RequireLoads(scratch_, s, "the record saved and read back differs from the machine state");
        Require(s.activegame == "game1" || (s.activegame == "game2" && program_->keno20), "no game window in front");
    }

    void CheckBoard(const std::string& window, const clsKenoBoard& board, const ViewModel& view, bool running) {
        const std::vector<int> picks = board.Picks();
        Require(board.spots() == static_cast<int>(picks.size()), window + ": spots differs from the marked count");
        if (!view.Enabled("start") || running || board.mustErase()) return;
        std::vector<int> shown;
        for (int n = 1; n <= ViewModel::kSquares; ++n)
            if (view.Square(n).picture == SquarePicture::Marked) shown.push_back(n);
        Require(shown == picks, window + ": PLAY is enabled but the squares shown marked are not the marks");
    }

    void RequireLoads(MemorySettingsStore& store, const MachineState& expected, const std::string& what) {
        MachineState back{-99, -99, -99, -99, -99, -99, -99, "scrambled", expected.playerslot, expected.activegame};
        PlayerLedger(back, store).LoadRecord(SlotInUse());
        Require(back == expected, what);
    }

    void Require(bool condition, const std::string& what) {
        if (condition) return;
        const MachineState& s = State();
        std::ostringstream out;
        out << what << " (bank " << s.bank << ", invested " << s.amountinvested << ", total " << s.total << ", wager "
            << s.wager << ", games " << s.games << ", bet " << s.coinsbet << ", slot " << s.playerslot
            << "; books invested " << books_.invested << ", charged " << books_.charged << ", won " << books_.won
            << ", wagered " << books_.wagered << ", games " << books_.games << ')';
        throw std::runtime_error(out.str());
    }

    void Log(std::string entry) {
        log.push_back(std::to_string(actions) + ": " + std::move(entry));
        if (log.size() > 40) log.pop_front();
    }
    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(player_) < p; }
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(player_); }

    MemorySettingsStore store_, scratch_;
    std::unique_ptr<Program> program_;
    std::mt19937_64 player_;
    std::array<std::optional<Books>, 7> storedBooks_{};  // what each slot's record holds
    Books books_;                                       // the slot in use, in memory
};

TEST(Soak, RandomPlayerKeepsEveryInvariant) {
    const auto setting = [](const char* name, std::uint64_t fallback) {
        const char* text = std::getenv(name);
        return (text && *text) ? std::strtoull(text, nullptr, 10) : fallback;
    };
    const std::uint64_t seed = setting("KENO_SOAK_SEED", 20240611);
    const auto actions = static_cast<std::int64_t>(setting("KENO_SOAK_ACTIONS", 200000));
    const auto start = std::chrono::steady_clock::now();
    SoakMachine machine(seed);
    try {
        while (machine.actions < actions) machine.Act();
    } catch (const std::exception& failure) {
        std::string tail;
        for (const auto& entry : machine.log) tail += "  " + entry + '\n';
        FAIL() << "seed " << seed << ", action " << machine.actions << ": " << failure.what() << "\nlast actions:\n"
               << tail;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "soak: seed " << seed << ", " << machine.actions << " actions, " << machine.games << " games in "
              << seconds << " s (" << static_cast<double>(machine.actions) / seconds << " actions/s)\n";
}

}  // namespace
}  // namespace keno
