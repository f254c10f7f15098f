#include "info/PayoutsPicture.h"

#include <algorithm>

#include "keno22/Keno22PaySchedule.h"

namespace keno {

namespace {

// Layout of the 408 x 250 picture: a heading band with the two balls, then the table.
constexpr int kMargin = 4;
constexpr int kBallSize = 32;
constexpr int kHeadingBand = 40;
constexpr int kGridTop = 42;
constexpr int kCaptionHeight = 14;  // the "HITS" row above the column numbers
constexpr int kHeaderHeight = 18;   // the column numbers
constexpr int kRowHeight = 19;
constexpr int kLabelWidth = 31;     // the "SPOTS" column
constexpr int kColumnWidth = 41;
constexpr int kNotePadding = 6;

constexpr int kCount = PayoutsPicture::kLast - PayoutsPicture::kFirst + 1;
static_assert(kMargin + kLabelWidth + kCount * kColumnWidth + kMargin == PayoutsPicture::kWidth);
static_assert(kGridTop + kCaptionHeight + kHeaderHeight + kCount * kRowHeight <= PayoutsPicture::kHeight - 4);

// The note runs down the empty triangle above the diagonal, one line per row, right-aligned so
// the lines end together at the table's edge while their starts step along the diagonal.
struct NoteLine {
    int spotsRow;
    const char* text;
};
constexpr NoteLine kNoteLines[] = {
    {2, "When extra balls are taken"},
    {3, "an extra (current) bet is"},
    {4, "deducted from credit"},
};

}  // namespace

bool PictureBox::Intersects(const PictureBox& other) const {
    return x < other.Right() && other.x < Right() && y < other.Bottom() && other.y < Bottom();
}

bool PictureBox::Contains(const PictureBox& other) const {
    return other.x >= x && other.y >= y && other.Right() <= Right() && other.Bottom() <= Bottom();
}

const PayoutCell* PayoutsPicture::CellAt(int spots, int hits) const {
    const auto found = std::find_if(cells.begin(), cells.end(), [spots, hits](const PayoutCell& cell) {
        return cell.spots == spots && cell.hits == hits;
    });
    return found == cells.end() ? nullptr : &*found;
}

PictureBox PayoutsPicture::SquareBox(int spots, int hits) const {
    const auto column = static_cast<std::size_t>(hits - kFirst + 1);  // edge 0 is the label column
    const auto row = static_cast<std::size_t>(spots - kFirst + 2);    // edges 0, 1 are the headers
    return {columnEdges[column], rowEdges[row], columnEdges[column + 1] - columnEdges[column],
            rowEdges[row + 1] - rowEdges[row]};
}

PayoutsPicture BuildPayoutsPicture() {
    PayoutsPicture picture;
    const int left = kMargin;
    const int right = PayoutsPicture::kWidth - kMargin;

    picture.balls = {PictureBall{12, {left + 2, (kHeadingBand - kBallSize) / 2, kBallSize, kBallSize}},
                     PictureBall{78, {right - 2 - kBallSize, (kHeadingBand - kBallSize) / 2, kBallSize, kBallSize}}};
    const int headingLeft = picture.balls[0].box.Right() + 6;
    picture.heading = {kPayoutsHeading, Ink::Gold,
                       {headingLeft, 2, picture.balls[1].box.x - 6 - headingLeft, kHeadingBand - 4}, TextAlign::Centre};

    picture.columnEdges.push_back(left);
    picture.columnEdges.push_back(left + kLabelWidth);
    for (int c = 1; c <= kCount; ++c) picture.columnEdges.push_back(left + kLabelWidth + c * kColumnWidth);
    picture.rowEdges.push_back(kGridTop);
    picture.rowEdges.push_back(kGridTop + kCaptionHeight);
    const int firstRow = kGridTop + kCaptionHeight + kHeaderHeight;
    for (int r = 0; r <= kCount; ++r) picture.rowEdges.push_back(firstRow + r * kRowHeight);
    picture.grid = {left, kGridTop, right - left, picture.rowEdges.back() - kGridTop};

    const int numbersTop = picture.rowEdges[1];
    picture.labels.push_back({"HITS", Ink::Cyan, {left + kLabelWidth, kGridTop, kCount * kColumnWidth, kCaptionHeight},
                              TextAlign::Centre});
    picture.labels.push_back({"SPOTS", Ink::Cyan, {left, numbersTop, kLabelWidth, kHeaderHeight}, TextAlign::Centre});
    for (int n = PayoutsPicture::kFirst; n <= PayoutsPicture::kLast; ++n) {
        const PictureBox square = picture.SquareBox(n, n);
        picture.labels.push_back({std::to_string(n), Ink::Cyan, {square.x, numbersTop, square.width, kHeaderHeight},
                                  TextAlign::Centre});
        picture.labels.push_back({std::to_string(n), Ink::Cyan, {left, square.y, kLabelWidth, square.height},
                                  TextAlign::Centre});
    }

    for (int spots = PayoutsPicture::kFirst; spots <= PayoutsPicture::kLast; ++spots) {
        for (int hits = PayoutsPicture::kFirst; hits <= spots; ++hits) {
            picture.cells.push_back({spots, hits, {}, Ink::White, false, picture.SquareBox(spots, hits)});
        }
    }
    for (const Keno22PayEntry& entry : Keno22PaySchedule::Entries()) {
        auto cell = std::find_if(picture.cells.begin(), picture.cells.end(), [&entry](const PayoutCell& c) {
            return c.spots == entry.spots && c.hits == entry.hits;
        });
        if (cell == picture.cells.end()) continue;  // not a square of the picture
        const std::string amount = std::to_string(entry.multiplier);
        cell->offer = entry.offer;
        cell->ink = entry.offer ? Ink::Red : Ink::White;
        cell->text = entry.offer ? "(" + amount + ")" : amount;
    }

    for (const NoteLine& line : kNoteLines) {
        const PictureBox start = picture.SquareBox(line.spotsRow, line.spotsRow + 1);
        picture.note.push_back({line.text, Ink::Green,
                                {start.x + kNotePadding, start.y, right - kNotePadding - start.x - kNotePadding,
                                 start.height},
                                TextAlign::Right});
    }
    return picture;
}

}  // namespace keno
