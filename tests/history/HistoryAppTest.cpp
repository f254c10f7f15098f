// The machine keeps its history: games of both windows played by a player, and one settled by
// quitting mid-draw, are in the file; a history that cannot be kept costs one warning that
// waits for nothing, and play goes on.
#include <QSignalSpy>

#include <fstream>

#include "history/GameHistory.h"
#include "options/OptionsDialog.h"
#include "tests/keno22/Keno22WindowRig.h"

using namespace keno;
using namespace keno::uitest;

namespace {

const std::vector<int> kFour{10, 20, 30, 40};

// Each test's own data folder, so the history file starts as the test wants it.
struct DataHome {
    QTemporaryDir folder;
    DataHome() { qputenv("XDG_DATA_HOME", folder.path().toLocal8Bit()); }
    std::string File() const { return folder.filePath(QStringLiteral("plinx/keno22-history.sqlite")).toStdString(); }
};

std::vector<int> First20(const std::vector<int>& draw) { return {draw.begin(), draw.begin() + 20}; }

}  // namespace

class HistoryAppTest : public QObject {
    Q_OBJECT
private slots:
    void gamesOfBothWindowsAreKeptOnce();
    void aHistoryThatCannotBeKeptWarnsOnce();
    void deletingAPlayerForgetsTheirHistoryOnly_data();
    void deletingAPlayerForgetsTheirHistoryOnly();
};

void HistoryAppTest::gamesOfBothWindowsAreKeptOnce() {
    DataHome data;
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"bank", "100"}, {"coinsbet", "2"}, {"currentplayer", "Ann"}, {"reelspeed", "1"}});
    QVERIFY(rig.Start());
    const std::vector<int> plain = DrawOf({44, 5, 61, 17}, {5, 17});
    const std::vector<int> offer = DrawOf({10, 20, 30}, kFour, {77, 40});
    const std::vector<int> twenty = DrawOf({3, 4}, {3, 4, 5}, {}, 20);
    const std::vector<int> quit = DrawOf({5}, {3, 4, 5}, {}, 20);

    rig.Mark({5, 17});
    QVERIFY(rig.Play(plain));
    rig.Click("rubber");
    rig.Mark(kFour);
    QVERIFY(rig.Play(offer));
    rig.ClickOffer();
    QVERIFY(rig.Settled());

    AppRig& app = rig.Rig();
    QVERIFY(ClickNamed(app.K22(), "btn20ball") && app.K20());
    QVERIFY(ClickSquares(app.K20(), {3, 4, 5}));
    rig.NextDraw(twenty);
    QVERIFY(ClickNamed(app.K20(), "start") && app.WaitSettled());
    rig.NextDraw(quit);
    QVERIFY(ClickNamed(app.K20(), "start"));
    QTRY_VERIFY(app.K20()->Game().Running());
    app.App().Quit(true);
    QVERIFY(!app.Running() && app.Exits() == 1);

    const std::vector<GameRecord> games = app.App().History().LastGames(1, 10);
    const auto game = [](int balls, std::vector<int> ticket, const std::vector<int>& draw, std::vector<int> extra,
                         int hits, int bet, int extraBet, int win, OfferChoice choice, int credit) {
        return SettledGame{1, "Ann", balls, std::move(ticket), First20(draw), std::move(extra), hits, bet, extraBet,
                           win, choice, credit};
    };
    // 100 - 2 + 30; - 2 - 2 + 86 (4 of 4 after the extra balls); then bet 1 in the 20-ball game.
    const SettledGame expected[] = {
        game(20, {3, 4, 5}, quit, {}, 1, 1, 0, 0, OfferChoice::None, 210),
        game(20, {3, 4, 5}, twenty, {}, 2, 1, 0, 2, OfferChoice::None, 211),
        game(22, kFour, offer, {77, 40}, 4, 2, 2, 86, OfferChoice::Bought, 210),
        game(22, {5, 17}, plain, {}, 2, 2, 0, 30, OfferChoice::None, 128),
    };
    QCOMPARE(games.size(), std::size(expected));
    for (std::size_t i = 0; i < games.size(); ++i) {
        QCOMPARE(games[i].seq, static_cast<std::int64_t>(4 - i));
        QVERIFY2(games[i].game == expected[i], qPrintable(QStringLiteral("game %1").arg(i)));
    }
    QCOMPARE(games[0].game.creditAfter, app.State().bank);
    QVERIFY(!app.App().History().Warning());
}

void HistoryAppTest::aHistoryThatCannotBeKeptWarnsOnce() {
    struct Case {
        const char* name;
        std::function<void(const DataHome&)> arrange;
        const char* says;
        std::size_t kept;  // games in the history afterwards
    };
    const Case cases[] = {
        {"a file where its folder should be",
         [](const DataHome& d) { std::ofstream(d.folder.filePath(QStringLiteral("plinx")).toStdString()) << "x"; },
         "cannot be created because", 0},
        {"a damaged file",
         [](const DataHome& d) {
             QDir(d.folder.path()).mkpath(QStringLiteral("plinx"));
             std::ofstream(d.File()) << std::string(5000, '\x5a');
         },
         "was damaged", 3},
    };
    for (const Case& c : cases) {
        DataHome data;
        c.arrange(data);
        Keno22Rig rig;
        rig.Rig().PutRecord(1, {{"bank", "100"}, {"coinsbet", "1"}});
        QVERIFY(rig.Start());
        GameHistory& history = rig.Rig().App().History();
        QSignalSpy warned(&history, &GameHistory::warned);
        rig.Mark({5, 17});
        QVERIFY(rig.Play(DrawOf({5, 17}, {5, 17})));
        QTRY_VERIFY2(history.Warning() && history.Warning()->isVisible(), c.name);
        QVERIFY2(history.Warning()->text().contains(QLatin1String(c.says)), qPrintable(history.Warning()->text()));
        QVERIFY(!QApplication::activeModalWidget());  // nothing waits for an answer
        // Play goes on under the warning, and it is not repeated.
        for (int game = 0; game < 2; ++game) QVERIFY(rig.Play(DrawOf({5, 17}, {5, 17})));
        QCOMPARE(rig.Text("panelbank"), QStringLiteral("142"));  // 100 + 3 x (15 - 1)
        history.Writer().Flush();
        QTest::qWait(50);
        QCOMPARE(warned.count(), 1);
        QCOMPARE(rig.Rig().App().History().LastGames(1, 10).size(), c.kept);
    }
}

void HistoryAppTest::deletingAPlayerForgetsTheirHistoryOnly_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("answered Yes") << true;
    QTest::newRow("answered No") << false;
}

// Deleting a player's details in the options takes their games with them; another player's stay,
// and so do theirs when the answer is No.
void HistoryAppTest::deletingAPlayerForgetsTheirHistoryOnly() {
    QFETCH(bool, yes);
    DataHome data;
    {
        HistoryStore store({data.File()});
        SettledGame other{2, "Bo", 22, {1, 2}, First20(DrawOf({}, {1, 2})), {}, 0, 1, 0, 0, OfferChoice::None, 9};
        QVERIFY(store.Append(other, 1) && store.Append(other, 2));
    }
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"bank", "100"}, {"coinsbet", "1"}});
    QVERIFY(rig.Start());
    rig.Mark({5, 17});
    QVERIFY(rig.Play(DrawOf({5}, {5, 17})) && rig.Play(DrawOf({}, {5, 17})));
    KenoApp& app = rig.Rig().App();
    QVERIFY(ClickNamed(rig.Window(), "mnuoptions"));
    QTRY_VERIFY(app.Options());
    BoxAnswerer answer;
    answer.Arm(yes ? QMessageBox::Yes : QMessageBox::No);
    QVERIFY(ClickNamed(app.Options(), "Btndeletedetails"));
    QTRY_VERIFY(answer.Answered() && !app.Options());
    QCOMPARE(app.History().LastGames(1, 10).size(), yes ? std::size_t{0} : std::size_t{2});
    QCOMPARE(app.History().LastGames(2, 10).size(), std::size_t{2});
    // Play goes on for the deleted player, whose history starts afresh.
    QVERIFY(PressNamed(rig.Window(), "coinsin"));
    QVERIFY(rig.Play(DrawOf({}, {5, 17})));
    const auto games = app.History().LastGames(1, 10);
    QCOMPARE(games.size(), yes ? std::size_t{1} : std::size_t{3});
    QCOMPARE(games.front().seq, yes ? 1 : 3);
}

KENO_UI_TEST_MAIN(HistoryAppTest)
#include "HistoryAppTest.moc"
