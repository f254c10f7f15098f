#pragma once
#include <array>
#include <string>
#include <vector>

namespace keno {

// The pay-schedule window's caption, letter-spaced as on the machine's glass.
inline constexpr const char* kPayoutsCaption =
    "        K E N O 2 2        P A Y O U T      S C H E D U L E";

// Inks of the pay-schedule picture; the window maps them to lit colours.
enum class Ink { White, Red, Green, Gold, Cyan };
enum class TextAlign { Left, Centre, Right };

// A rectangle in picture pixels (the picture is 408 x 250).
struct PictureBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool Intersects(const PictureBox& other) const;
    bool Contains(const PictureBox& other) const;
    bool operator==(const PictureBox&) const = default;
};

struct PictureText {
    std::string text;
    Ink ink = Ink::White;
    PictureBox box;
    TextAlign align = TextAlign::Centre;
};

// One square of the grid below the diagonal (hits never exceed spots); text is empty when the
// pair pays nothing.
struct PayoutCell {
    int spots = 0;
    int hits = 0;
    std::string text;
    Ink ink = Ink::White;
    bool offer = false;
    PictureBox box;
};

struct PictureBall {
    int number = 0;
    PictureBox box;
};

// What the pay-schedule picture shows and where, built from the 22-ball pay table, so the
// window only paints it and tests read it back instead of pixels.
struct PayoutsPicture {
    static constexpr int kWidth = 408;
    static constexpr int kHeight = 250;
    static constexpr int kFirst = 2;  // spots and hits both run 2..10
    static constexpr int kLast = 10;

    PictureText heading;
    std::array<PictureBall, 2> balls;
    PictureBox grid;                       // the whole table, headers included
    std::vector<PictureText> labels;       // "HITS", "SPOTS", and the row and column numbers
    std::vector<PayoutCell> cells;         // spots 2..10 by hits 2..spots, row by row
    std::vector<PictureText> note;         // the extra-ball note, one entry per line
    std::vector<int> columnEdges;          // x of every vertical grid line, left to right
    std::vector<int> rowEdges;             // y of every horizontal grid line, top to bottom

    // The cell for (spots, hits), or null above the diagonal or outside 2..10.
    const PayoutCell* CellAt(int spots, int hits) const;
    // Where the square for (spots, hits) lies, above the diagonal too (empty there).
    PictureBox SquareBox(int spots, int hits) const;
};

// The note's words, as one sentence.
inline constexpr const char* kExtraBallNote =
    "When extra balls are taken an extra (current) bet is deducted from credit";
inline constexpr const char* kPayoutsHeading = "K E N O 2 2  Payout schedule";

PayoutsPicture BuildPayoutsPicture();

}  // namespace keno
