// "Charts" on the real machine over a history forged in its data folder: a seeded fair draw is
// judged consistent with a fair draw and a biased one is not, the figures are the player's own,
// and the history is read off the user-interface thread while the screen says so.
#include <QThread>

#include "charts/ChartsPicture.h"
#include "charts/ChartsWindow.h"
#include "core/RandomSource.h"
#include "history/GameHistory.h"
#include "tests/keno22/Keno22WindowRig.h"

using namespace keno;
using namespace keno::uitest;

namespace {

struct DataHome {
    QTemporaryDir folder;
    DataHome() { qputenv("XDG_DATA_HOME", folder.path().toLocal8Bit()); }
};

// `games` games of slot 1 on tickets of 4 and 8 spots; `biased` leaves 1..8 out of every draw.
std::vector<std::int32_t> Forge(int games, bool biased) {
    HistoryStore store({HistoryStore::DefaultPath()});
    SeededRandomSource random(1806);
    std::vector<std::int32_t> credits;
    std::int32_t credit = 1000;
    for (int n = 0; n < games; ++n) {
        SettledGame g;
        g.slot = 1;
        g.game = n % 2 ? 20 : 22;
        g.ticket = n % 3 ? std::vector<int>{10, 20, 30, 40} : std::vector<int>{3, 13, 23, 33, 43, 53, 63, 73};
        std::vector<int> urn;
        DrawFromUrn(random, biased ? 28 : 20, std::back_inserter(urn));
        for (int x : urn)
            if (g.drawn.size() < 20 && !(biased && x <= 8)) g.drawn.push_back(x);
        while (g.drawn.size() < 20) g.drawn.push_back(80 - static_cast<int>(g.drawn.size()));  // never reached
        for (int x : g.drawn) g.hits += static_cast<int>(std::count(g.ticket.begin(), g.ticket.end(), x));
        g.bet = 1;
        credit += (g.hits >= 3 ? 3 : 0) - 1;
        g.creditAfter = credit;
        credits.push_back(credit);
        store.Append(g, 1700000000000 + n);
    }
    return credits;
}

}  // namespace

class ChartsScreenTest : public QObject {
    Q_OBJECT
private slots:
    void theVerdictOnAFairAndABiasedHistory_data();
    void theVerdictOnAFairAndABiasedHistory();
    void theHistoryIsReadOffTheGamesThread();
};

void ChartsScreenTest::theVerdictOnAFairAndABiasedHistory_data() {
    QTest::addColumn<bool>("biased");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("seeded fair draw") << false << QStringLiteral("consistent with a fair draw, p = ");
    QTest::newRow("1 to 8 never drawn") << true << QStringLiteral("not consistent with a fair draw, p < 0.000001");
}

void ChartsScreenTest::theVerdictOnAFairAndABiasedHistory() {
    QFETCH(bool, biased);
    QFETCH(QString, verdict);
    DataHome data;
    const std::vector<std::int32_t> credits = Forge(3000, biased);
    Keno22Rig rig;
    rig.Rig().PutRecord(1, {{"currentplayer", "Zoe"}});
    QVERIFY(rig.Start());
    rig.Window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.Window()));
    QTest::keyClick(rig.Window(), Qt::Key_H);
    auto* screen = Find<ChartsWindow>(rig.Window(), QStringLiteral("charts"));
    QVERIFY(screen && screen->isVisible());
    QVERIFY(screen->Loading());  // the answer comes from the history's own thread, later
    QTRY_VERIFY_WITH_TIMEOUT(!screen->Loading(), 20000);
    const ChartsData& charts = *screen->Picture()->Data();
    QVERIFY2(QString::fromStdString(charts.verdict).startsWith(verdict), charts.verdict.c_str());
    QVERIFY(screen->Picture()->Summary().endsWith(QString::fromStdString(charts.verdict) + '.'));
    QCOMPARE(charts.draws.games, 3000);
    QCOMPARE(charts.hits.games, 3000);
    QCOMPARE(charts.hits.spots, (std::vector<int>{4, 8}));
    QCOMPARE(charts.credits, std::vector<std::int32_t>(credits.end() - ChartsData::kCreditGames, credits.end()));
    for (int n = 1; n <= 8; ++n) QCOMPARE(charts.draws.main[static_cast<std::size_t>(n)] == 0, biased);
    // A fair draw's hits: what the tickets played give, within the spread of 3000 games.
    double played = 0;
    for (std::size_t h = 0; h <= 8; ++h) {
        played += static_cast<double>(charts.hits.observed[h]);
        if (!biased && charts.hits.expected[h] > 100) {
            QVERIFY2(std::abs(static_cast<double>(charts.hits.observed[h]) - charts.hits.expected[h]) < 5 * std::sqrt(charts.hits.expected[h]),
                     qPrintable(QStringLiteral("%1 hits").arg(h)));
        }
    }
    QCOMPARE(played, 3000.0);
    // Opened again, it reads the history afresh.
    TriggerAction(rig.Window(), "mnucharts");
    QVERIFY(screen->Loading());
    QTRY_VERIFY_WITH_TIMEOUT(!screen->Loading(), 20000);
    screen->close();
}

void ChartsScreenTest::theHistoryIsReadOffTheGamesThread() {
    DataHome data;
    Forge(10, false);
    Keno22Rig rig;
    QVERIFY(rig.Start());
    QThread* readOn = nullptr;
    std::int64_t count = -1;
    QObject receiver;
    rig.Rig().App().History().Ask(
        &receiver,
        [&](HistoryStore& store) {
            readOn = QThread::currentThread();
            return store.GameCount(1);
        },
        [&](std::int64_t games) { count = games; });
    QTRY_COMPARE(count, std::int64_t{10});
    QVERIFY(readOn && readOn != QThread::currentThread());
    // An answer for a screen that has gone goes nowhere.
    auto* gone = new QObject;
    bool answered = false;
    rig.Rig().App().History().Ask(gone, [](HistoryStore& store) { return store.GameCount(1); },
                                  [&](std::int64_t) { answered = true; });
    delete gone;
    QTest::qWait(200);
    QVERIFY(!answered);
}

KENO_UI_TEST_MAIN(ChartsScreenTest)
#include "ChartsScreenTest.moc"
