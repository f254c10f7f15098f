#include "info/GameInformationText.h"

namespace keno {

std::vector<std::string> GameInformationLines(InformationGame game) {
    const bool twentyTwo = game == InformationGame::Keno22;
    std::vector<std::string> lines = {
        "1:-For credit click the COINS button  ",
        "2:-Click on the numbered squares until",
        twentyTwo ? " you have the desired amount of SPOTS marked,(from 2 to 10)"
                  : " you have the desired amount of SPOTS marked,(from 3 to 10)",
        "3:-Click on the MAKE BET Button (BET 1 through to BET 5), ",
        "4:-Clicking on AUTO SELECT will generate your numbers for you ",
        "5:-Click on PLAY to play",
    };
    // Only the 22-ball game has extra balls, so the items after it are numbered one further on.
    int item = 6;
    if (twentyTwo) {
        lines.push_back(std::to_string(item++) +
                        ":-If amount of HITS is sufficient then you will be awarded 2 extra balls.");
    }
    const char* const rest[] = {
        ":-To change the amount of SPOTS marked click on ERASE then repeat process (2).",
        ":-To change the numbers selected whilst retaining the same amount of SPOTS click on AUTOSELECT.",
        ":-To change speed of execution click the OPTIONS button.",
        ":-To change Player click the OPTIONS button.",
        ":-For other OPTIONS click the OPTIONS button.",
    };
    for (const char* text : rest) {
        lines.push_back(std::to_string(item++) + text);
    }
    return lines;
}

std::string GameInformationText(InformationGame game) {
    std::string text;
    for (const std::string& line : GameInformationLines(game)) {
        text += line;
        text += '\r';
    }
    return text;
}

Message GameInformationMessage(InformationGame game) {
    Message message;
    message.text = GameInformationText(game);
    message.title = "Game Information";
    message.icon = Icon::Information;
    message.buttons = Buttons::OkCancel;
    message.defaultButton = Answer::Ok;
    return message;
}

}  // namespace keno
