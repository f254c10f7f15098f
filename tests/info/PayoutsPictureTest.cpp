#include <gtest/gtest.h>

#include "info/PayoutsPicture.h"
#include "keno22/Keno22PaySchedule.h"

namespace keno {
namespace {

TEST(PayoutsPicture, GridShowsEveryPayingEntryOnceWithOffersRedInParentheses) {
    const PayoutsPicture picture = BuildPayoutsPicture();
    EXPECT_EQ(picture.cells.size(), 45u);  // 1 + 2 + ... + 9 squares on and below the diagonal
    std::size_t shown = 0;
    for (int spots = 2; spots <= 10; ++spots) {
        for (int hits = 2; hits <= 10; ++hits) {
            SCOPED_TRACE("spots " + std::to_string(spots) + " hits " + std::to_string(hits));
            const PayoutCell* cell = picture.CellAt(spots, hits);
            ASSERT_EQ(cell != nullptr, hits <= spots);  // above the diagonal: the note's room
            if (!cell) continue;
            const auto entry = Keno22PaySchedule::Lookup(spots, hits);
            if (!entry) {
                EXPECT_EQ(cell->text, "");
                continue;
            }
            ++shown;
            const std::string amount = std::to_string(entry->multiplier);
            EXPECT_EQ(cell->text, entry->offer ? "(" + amount + ")" : amount);
            EXPECT_EQ(cell->ink, entry->offer ? Ink::Red : Ink::White);
            EXPECT_EQ(cell->offer, entry->offer);
        }
    }
    EXPECT_EQ(shown, Keno22PaySchedule::Entries().size());
    EXPECT_EQ(picture.CellAt(10, 10)->text, "10000");
    EXPECT_EQ(picture.CellAt(9, 8)->text, "(100)");
}

}  // namespace
}  // namespace keno
