#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "info/GameInformationText.h"

namespace keno {
namespace {

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

struct TextCase {
    InformationGame game;
    const std::vector<std::string>* expected;
};

class GameInformationLinesTest : public testing::TestWithParam<TextCase> {};

TEST_P(GameInformationLinesTest, EveryLineExactlyWithItsBlanks) {
    const auto& expected = *GetParam().expected;
    const std::vector<std::string> lines = GameInformationLines(GetParam().game);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    }
}

TEST_P(GameInformationLinesTest, TextEndsEveryLineWithACarriageReturnOnly) {
    const auto& expected = *GetParam().expected;
    std::string joined;
    for (const std::string& line : expected) joined += line + "\r";
    const std::string text = GameInformationText(GetParam().game);
    EXPECT_EQ(text, joined);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 0);
}

TEST_P(GameInformationLinesTest, ShownInAnInformationBoxWithOkAndCancel) {
    const Message message = GameInformationMessage(GetParam().game);
    EXPECT_EQ(message.title, "Game Information");
    EXPECT_EQ(message.icon, Icon::Information);
    EXPECT_EQ(message.buttons, Buttons::OkCancel);
    EXPECT_EQ(message.text, GameInformationText(GetParam().game));
}

INSTANTIATE_TEST_SUITE_P(BothGames, GameInformationLinesTest,
                         testing::Values(TextCase{InformationGame::Keno22, &kKeno22Lines},
                                         TextCase{InformationGame::Keno20, &kKeno20Lines}),
                         [](const testing::TestParamInfo<TextCase>& param) {
                             return param.param.game == InformationGame::Keno22 ? "Keno22" : "Keno20";
                         });

}  // namespace
}  // namespace keno
