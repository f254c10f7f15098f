#include <gtest/gtest.h>

#include "info/GameInformationText.h"

namespace keno {
namespace {

// The two texts differ in the fewest spots (2 or 3) and in keno22's line about the extra balls.
const std::vector<std::string> kKeno22Lines = {
    "1:-For credit click the COINS button  ",
    "2:-Click on the numbered squares until",
    " you have the desired amount of SPOTS marked,(from 2 to 10)",
    "3:-Click on the MAKE BET Button (BET 1 through to BET 5), ",
    "4:-Clicking on AUTO SELECT will generate your numbers for you ",
    "5:-Click on PLAY to play",
    "6:-If amount of HITS is sufficient then you will be awarded 2 extra balls.",
    "7:-To change the amount of SPOTS marked click on ERASE then repeat process (2).",
    "8:-To change the numbers selected whilst retaining the same amount of SPOTS click on AUTOSELECT.",
    "9:-To change speed of execution click the OPTIONS button.",
    "10:-To change Player click the OPTIONS button.",
    "11:-For other OPTIONS click the OPTIONS button.",
};

const std::vector<std::string> kKeno20Lines = {
    "1:-For credit click the COINS button  ",
    "2:-Click on the numbered squares until",
    " you have the desired amount of SPOTS marked,(from 3 to 10)",
    "3:-Click on the MAKE BET Button (BET 1 through to BET 5), ",
    "4:-Clicking on AUTO SELECT will generate your numbers for you ",
    "5:-Click on PLAY to play",
    "6:-To change the amount of SPOTS marked click on ERASE then repeat process (2).",
    "7:-To change the numbers selected whilst retaining the same amount of SPOTS click on AUTOSELECT.",
    "8:-To change speed of execution click the OPTIONS button.",
    "9:-To change Player click the OPTIONS button.",
    "10:-For other OPTIONS click the OPTIONS button.",
};

TEST(GameInformation, EveryLineWithItsBlanksEachEndedByACarriageReturnInAnInformationBox) {
    for (const auto& [game, expected] : {std::pair{InformationGame::Keno22, &kKeno22Lines},
                                         std::pair{InformationGame::Keno20, &kKeno20Lines}}) {
        SCOPED_TRACE(expected->size());
        const std::vector<std::string> lines = GameInformationLines(game);
        ASSERT_EQ(lines.size(), expected->size());
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i], (*expected)[i]) << "line " << i + 1;
            joined += (*expected)[i] + "\r";
        }
        const Message message = GameInformationMessage(game);
        EXPECT_EQ(message, (Message{joined, "Game Information", Icon::Information, Buttons::OkCancel,
                                    message.defaultButton}));
        EXPECT_EQ(GameInformationText(game), joined);
    }
}

}  // namespace
}  // namespace keno
