#pragma once
#include <array>
#include <string>

namespace keno {

// What the options dialog shows, as the controller leaves it; the dialog copies it onto its
// controls after every operation. Members carry the controls' names.
struct OptionsView {
    bool open = false;  // between OpenOptions and the closing steps

    // machine(1)..machine(6): upper-cased player name or "Vacant"; index 0 unused.
    std::array<std::string, 7> machine{};
    int selectedSlot = 0;    // the machine button that is selected, 0 for none
    int selectedSpeed = -1;  // the setspeed button (0, 1, 2) that is selected, -1 for none

    std::string lblcurrentplayer;
    std::string lblgames;
    std::string lblwager;
    std::string lbltotalwon;
    std::string lblwinlose;
    std::string lblreturned;
    std::string lblinvested;
    std::string lbllastbet;
    std::string speedlab;

    // The check box of the extra-ball advice, for the slot selected.
    bool advisorShown = true;

    // The name box keeps what the player types; these count the requests to empty it and to give
    // it the focus, so the dialog acts on each change of count.
    int player1Clears = 0;
    int player1FocusRequests = 0;

    bool operator==(const OptionsView&) const = default;
};

}  // namespace keno
