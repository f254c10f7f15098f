// The odds screen and the extra-ball advisor offscreen: the screen follows what it is fed, the
// advisor says what the odds engine says, reads as one label, and stays readable when small.
#include <QAccessible>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "odds/ExtraBallAdvisor.h"
#include "odds/KenoOdds.h"
#include "odds/OddsSheet.h"
#include "odds/OddsSheetWidget.h"
#include "odds/OddsText.h"
#include "odds/OddsWindow.h"
#include "widgets/ImageButton.h"

using namespace keno;

Q_DECLARE_METATYPE(keno::OddsGame)

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

class OddsWidgetsTest : public QObject {
    Q_OBJECT
private slots:
    // One open screen fed one input after another, as a game window feeds it while the player
    // marks squares and changes the bet: the sheet, the picture and the reader's text follow.
    void screenFollowsItsInput() {
        QPointer<OddsWindow> window = new OddsWindow(OddsInput{OddsGame::Keno20, 5, 2});
        QCOMPARE(window->objectName(), QStringLiteral("odds"));
        window->resize(800, 580);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        OddsSheetWidget* sheet = window->findChild<OddsSheetWidget*>(QStringLiteral("oddssheet"));
        QVERIFY(sheet);

        struct Step {
            OddsInput input;
            bool everyTicket;
            int rows;
            int row;           // a row to look at
            QString pays;      // its pay column
            QString subheading;
            QString title;
        };
        const QString dot = QStringLiteral("  \u00b7  ");
        const Step steps[] = {
            {{OddsGame::Keno22, 1, 1}, true, 9, 8, "10000", "EVERY TICKET" + dot + "BET 1", "K E N O 22  Odds"},
            {{OddsGame::Keno22, 2, 1}, false, 3, 2, "15", "2 SPOTS" + dot + "BET 1", "K E N O 22  Odds"},
            {{OddsGame::Keno22, 3, 1}, false, 4, 3, "45", "3 SPOTS" + dot + "BET 1", "K E N O 22  Odds"},
            {{OddsGame::Keno22, 3, 4}, false, 4, 3, "180", "3 SPOTS" + dot + "BET 4", "K E N O 22  Odds"},
            {{OddsGame::Keno22, 7, 4}, false, 8, 5, "(80)", "7 SPOTS" + dot + "BET 4", "K E N O 22  Odds"},
            {{OddsGame::Keno22, 6, 4}, false, 7, 6, "680", "6 SPOTS" + dot + "BET 4", "K E N O 22  Odds"},
            {{OddsGame::Keno22, 0, 4}, true, 9, 0, "60", "EVERY TICKET" + dot + "BET 4", "K E N O 22  Odds"},
            {{OddsGame::Keno20, 2, 2}, true, 8, 0, "90", "EVERY TICKET" + dot + "BET 2", "K E N O  Odds"},
            {{OddsGame::Keno20, 3, 2}, false, 4, 2, "4", "3 SPOTS" + dot + "BET 2", "K E N O  Odds"},
            {{OddsGame::Keno20, 10, 5}, false, 11, 10, "50000", "10 SPOTS" + dot + "BET 5", "K E N O  Odds"},
        };
        QImage before = sheet->grab().toImage();
        for (const Step& step : steps) {
            const QString where = QStringLiteral("%1 spots bet %2").arg(step.input.spots).arg(step.input.bet);
            window->SetInput(step.input);
            QCOMPARE(window->Input(), step.input);
            const OddsSheet& shown = window->Sheet();
            QVERIFY2(shown.everyTicket == step.everyTicket, qPrintable(where));
            QCOMPARE(static_cast<int>(shown.rows.size()), step.rows);
            QCOMPARE(Q(shown.rows[static_cast<std::size_t>(step.row)].cells[1]), step.pays);
            QCOMPARE(Q(shown.subheading), step.subheading);
            QCOMPARE(window->windowTitle(), step.title);

            // What is painted and what is read changed with it.
            const QImage after = sheet->grab().toImage();
            QVERIFY2(after != before, qPrintable(where));
            before = after;
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(sheet);
            QCOMPARE(reader->text(QAccessible::Name), Q(shown.heading + ", " + shown.subheading));
            QCOMPARE(reader->text(QAccessible::Description), Q(shown.Spoken()));
        }

        // "Return to Game" closes the screen, which goes away.
        window->findChild<ImageButton*>(QStringLiteral("oddsreturn"))->click();
        QTRY_VERIFY(window.isNull());
    }

    void screenScalesAndEscapeCloses() {
        QPointer<OddsWindow> window = new OddsWindow(OddsInput{OddsGame::Keno20, 8, 1});
        window->resize(1600, 1100);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const OddsSheetWidget* sheet = window->SheetWidget();
        // The canvas keeps its shape and grows with the window.
        const QRectF canvas = sheet->CanvasRect();
        QVERIFY(canvas.width() > 1.8 * OddsSheetWidget::kWidth);
        QCOMPARE(qRound(canvas.width() * OddsSheetWidget::kHeight), qRound(canvas.height() * OddsSheetWidget::kWidth));
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());
    }

    void advisorSaysWhatTheEngineSays_data() {
        QTest::addColumn<int>("spots");
        QTest::addColumn<int>("hits");
        QTest::addColumn<int>("bet");
        QTest::addColumn<QString>("advice");
        // Expected lines from tools/odds_reference.py's buy values: (buy - take) x bet.
        QTest::newRow("4/3 bet 2") << 4 << 3 << 2 << "Buying is worth +0.33 coins on average";
        QTest::newRow("7/4 bet 1") << 7 << 4 << 1 << "Buying is worth +0.01 coins on average";
        QTest::newRow("8/7 bet 5") << 8 << 7 << 5 << "Buying is worth +65 coins on average";
        QTest::newRow("10/9 bet 3") << 10 << 9 << 3 << "Buying is worth +927 coins on average";
        QTest::newRow("10/5 bet 5") << 10 << 5 << 5 << "Buying is worth +0.86 coins on average";
    }
    void advisorSaysWhatTheEngineSays() {
        QFETCH(int, spots);
        QFETCH(int, hits);
        QFETCH(int, bet);
        QFETCH(QString, advice);
        ExtraBallAdvisor advisor;
        QVERIFY(advisor.SetOffer(spots, hits, bet));
        QCOMPARE(advisor.AdviceLine(), advice);
        const auto odds = KenoOdds::ExtraBalls(spots, hits, bet);
        QCOMPARE(advisor.SpokenText(), Q(SpokenAdvice(*odds)));
        QVERIFY(advisor.SpokenText().endsWith(advice + QLatin1Char('.')));
        QCOMPARE(advisor.Odds()->takeNow, odds->takeNow);
    }

    // One label, named by everything it shows; it changes name with the offer and loses it
    // when the offer is gone. It takes no focus and no clicks.
    void advisorReadsAsOneLabel() {
        QWidget face;
        face.resize(400, 300);
        auto* advisor = new ExtraBallAdvisor(&face);
        advisor->setGeometry(10, 10, 200, 180);
        face.show();
        QVERIFY(QTest::qWaitForWindowExposed(&face));
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(advisor);
        QVERIFY(reader);
        QCOMPARE(reader->role(), QAccessible::StaticText);
        QCOMPARE(reader->childCount(), 0);
        QVERIFY(reader->text(QAccessible::Name).isEmpty());

        QVERIFY(advisor->SetOffer(9, 6, 2));
        QCOMPARE(reader->text(QAccessible::Name), advisor->SpokenText());
        QVERIFY(reader->text(QAccessible::Name).startsWith(QStringLiteral("Extra balls cost 2 coins. No new hit: 90.17 %, pays 36.")));
        QVERIFY(!reader->state().focusable);
        QVERIFY(advisor->testAttribute(Qt::WA_TransparentForMouseEvents));

        // A pair that opens no offer leaves the panel empty and silent.
        QVERIFY(!advisor->SetOffer(9, 9, 2));
        QVERIFY(reader->text(QAccessible::Name).isEmpty());
        QVERIFY(advisor->SetOffer(5, 3, 1));
        advisor->ClearOffer();
        QVERIFY(!advisor->Odds());
        QVERIFY(reader->text(QAccessible::Name).isEmpty());
    }

    // At the sizes an 800 x 600 game window can give it, as a card or a strip, and when large, every
    // text stays at a readable size.
    void advisorReadableWhenSmall_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("least");
        QTest::newRow("card in the offer column at 800x600") << QSize(160, 175) << 10.0;
        QTest::newRow("strip over the button row at 800x600") << QSize(686, 75) << 12.0;
        QTest::newRow("thinnest strip") << QSize(525, 40) << 10.0;
        QTest::newRow("card on a large screen") << QSize(360, 390) << 20.0;
    }
    void advisorReadableWhenSmall() {
        QFETCH(QSize, size);
        QFETCH(qreal, least);
        // Every way the offer can stand: open, the credit short of the extra bet, TAKE WIN gone.
        const OfferStanding standings[] = {{true, true}, {true, false}, {false, false}, {false, true}};
        for (const auto& [spots, hits, bet] : {std::tuple{10, 5, 5}, {4, 3, 1}, {10, 9, 5}, {9, 8, 3}}) {
            for (const OfferStanding& standing : standings) {
                ExtraBallAdvisor advisor;
                advisor.resize(size);
                advisor.SetOffer(spots, hits, bet, standing);
                const QImage picture = advisor.grab().toImage();
                QVERIFY(!picture.isNull());
                QVERIFY2(advisor.SmallestTextPixels() >= least,
                         qPrintable(QStringLiteral("%1/%2 bet %3 take %4 covers %5: %6 px")
                                        .arg(spots).arg(hits).arg(bet).arg(standing.takeWinOpen)
                                        .arg(standing.creditCovers).arg(advisor.SmallestTextPixels())));
            }
        }
    }
};

QTEST_MAIN(OddsWidgetsTest)
#include "OddsWidgetsTest.moc"
