#include "recall/RecallFeature.h"

#include <QPointer>

#include <memory>

#include "recall/RecallWindow.h"

namespace keno {

GameWindowFeature RecallFeature(GameHistory& history, const MachineState& state) {
    return [&history, &state](GameWindow& window) {
        auto screen = std::make_shared<QPointer<RecallWindow>>();
        const auto load = [&state, screen] {
            (*screen)->Load(SlotNumber(state.playerslot), QString::fromStdString(state.currentplayer));
        };
        window.AddMenuEntry({"mnulastgames", QStringLiteral("Last games"), QKeySequence(Qt::Key_L), QStringLiteral("L"),
                             QStringLiteral("last games"), [&history, &window, screen, load] {
                                 if (!*screen) *screen = new RecallWindow(history, &window);
                                 load();
                                 (*screen)->show();
                                 (*screen)->raise();
                                 (*screen)->activateWindow();
                             }});
        // A game settled while the screen is open joins its list: the question only goes to the
        // history's reading thread, which answers once the game is written.
        QObject::connect(&window, &GameWindow::gameSettled, &window, [screen, load] {
            if (*screen) load();
        });
    };
}

}  // namespace keno
