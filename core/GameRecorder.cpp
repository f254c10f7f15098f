#include "core/GameRecorder.h"

namespace keno {

GameRecorder& NoRecorder() {
    struct Null final : GameRecorder {
        void GameSettled(const SettledGame&) override {}
    };
    static Null null;
    return null;
}

int SlotNumber(const std::string& playerslot) {
    if (playerslot.size() == 1 && playerslot[0] >= '1' && playerslot[0] <= '6') return playerslot[0] - '0';
    return 0;
}

}  // namespace keno
