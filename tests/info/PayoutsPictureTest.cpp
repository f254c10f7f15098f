#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "info/PayoutsPicture.h"
#include "keno22/Keno22PaySchedule.h"

namespace keno {
namespace {

const PayoutsPicture& Picture() {
    static const PayoutsPicture picture = BuildPayoutsPicture();
    return picture;
}

TEST(PayoutsPicture, EverySquareOfTheGridAgainstTheTable) {
    const PayoutsPicture& picture = Picture();
    for (int spots = 2; spots <= 10; ++spots) {
        for (int hits = 2; hits <= 10; ++hits) {
            SCOPED_TRACE("spots " + std::to_string(spots) + " hits " + std::to_string(hits));
            const PayoutCell* cell = picture.CellAt(spots, hits);
            if (hits > spots) {
                EXPECT_EQ(cell, nullptr);  // above the diagonal: the note's room
                continue;
            }
            ASSERT_NE(cell, nullptr);
            const auto entry = Keno22PaySchedule::Lookup(spots, hits);
            if (!entry) {
                EXPECT_EQ(cell->text, "");
                continue;
            }
            const std::string amount = std::to_string(entry->multiplier);
            EXPECT_EQ(cell->offer, entry->offer);
            if (entry->offer) {
                EXPECT_EQ(cell->text, "(" + amount + ")");
                EXPECT_EQ(cell->ink, Ink::Red);
            } else {
                EXPECT_EQ(cell->text, amount);
                EXPECT_EQ(cell->ink, Ink::White);
            }
        }
    }
}

TEST(PayoutsPicture, ShowsEveryPayingEntryOnce) {
    const auto& cells = Picture().cells;
    EXPECT_EQ(cells.size(), 45u);  // 1 + 2 + ... + 9 squares on and below the diagonal
    const auto shown = std::count_if(cells.begin(), cells.end(), [](const PayoutCell& c) { return !c.text.empty(); });
    EXPECT_EQ(static_cast<std::size_t>(shown), Keno22PaySchedule::Entries().size());
    const auto red = std::count_if(cells.begin(), cells.end(), [](const PayoutCell& c) { return c.ink == Ink::Red; });
    const auto entries = Keno22PaySchedule::Entries();
    EXPECT_EQ(red, std::count_if(entries.begin(), entries.end(), [](const Keno22PayEntry& e) { return e.offer; }));
    EXPECT_EQ(Picture().CellAt(10, 10)->text, "10000");
    EXPECT_EQ(Picture().CellAt(9, 8)->text, "(100)");
}

TEST(PayoutsPicture, HeadingBetweenTheBallsTwelveAndSeventyEight) {
    const PayoutsPicture& picture = Picture();
    EXPECT_EQ(picture.heading.text, "K E N O 2 2  Payout schedule");
    EXPECT_EQ(picture.balls[0].number, 12);
    EXPECT_EQ(picture.balls[1].number, 78);
    EXPECT_LE(picture.balls[0].box.Right(), picture.heading.box.x);
    EXPECT_GE(picture.balls[1].box.x, picture.heading.box.Right());
    EXPECT_LE(picture.heading.box.Bottom(), picture.grid.y);
}

TEST(PayoutsPicture, NoteInGreenAcrossTheUpperRightOfTheGrid) {
    const PayoutsPicture& picture = Picture();
    ASSERT_FALSE(picture.note.empty());
    std::string words;
    for (const PictureText& line : picture.note) {
        EXPECT_EQ(line.ink, Ink::Green);
        words += (words.empty() ? "" : " ") + line.text;
        EXPECT_TRUE(picture.grid.Contains(line.box));
        EXPECT_GE(line.box.Right(), picture.grid.Right() - 10) << line.text;  // runs to the right edge
        EXPECT_LT(line.box.y, picture.grid.y + picture.grid.height / 2) << line.text;  // upper part
        for (const PayoutCell& cell : picture.cells) {
            EXPECT_FALSE(line.box.Intersects(cell.box)) << line.text << " over " << cell.spots << "/" << cell.hits;
        }
        for (const PictureText& label : picture.labels) {
            EXPECT_FALSE(line.box.Intersects(label.box)) << line.text << " over " << label.text;
        }
    }
    EXPECT_EQ(words, "When extra balls are taken an extra (current) bet is deducted from credit");
    EXPECT_EQ(words, kExtraBallNote);
}

TEST(PayoutsPicture, RowAndColumnLabelsLineUpWithTheSquares) {
    const PayoutsPicture& picture = Picture();
    const auto labelled = [&](const std::string& text, auto&& where) {
        return std::count_if(picture.labels.begin(), picture.labels.end(),
                             [&](const PictureText& l) { return l.text == text && where(l.box); });
    };
    EXPECT_EQ(labelled("SPOTS", [](const PictureBox&) { return true; }), 1);
    EXPECT_EQ(labelled("HITS", [](const PictureBox&) { return true; }), 1);
    for (int n = 2; n <= 10; ++n) {
        const PictureBox row = picture.SquareBox(n, 2);
        const PictureBox column = picture.SquareBox(10, n);
        EXPECT_EQ(labelled(std::to_string(n), [&](const PictureBox& b) { return b.y == row.y && b.Right() <= row.x; }), 1)
            << "SPOTS " << n;
        EXPECT_EQ(labelled(std::to_string(n), [&](const PictureBox& b) { return b.x == column.x && b.Bottom() <= row.y; }),
                  1)
            << "HITS " << n;
    }
}

TEST(PayoutsPicture, EverythingFitsTheFourHundredAndEightByTwoHundredAndFifty) {
    const PayoutsPicture& picture = Picture();
    const PictureBox whole{0, 0, PayoutsPicture::kWidth, PayoutsPicture::kHeight};
    EXPECT_TRUE(whole.Contains(picture.grid));
    EXPECT_TRUE(whole.Contains(picture.heading.box));
    for (const PictureBall& ball : picture.balls) EXPECT_TRUE(whole.Contains(ball.box));
    const auto& cells = picture.cells;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_TRUE(picture.grid.Contains(cells[i].box));
        EXPECT_GE(cells[i].box.width, 36);  // room for "10000" and "(700)"
        for (std::size_t j = i + 1; j < cells.size(); ++j) EXPECT_FALSE(cells[i].box.Intersects(cells[j].box));
    }
}

TEST(PayoutsPicture, CaptionIsLetterSpacedWithItsBlanks) {
    const std::string caption = kPayoutsCaption;
    EXPECT_EQ(caption, std::string(8, ' ') + "K E N O 2 2" + std::string(8, ' ') + "P A Y O U T" + std::string(6, ' ') +
                           "S C H E D U L E");
}

}  // namespace
}  // namespace keno
