#include "charts/ChartsFeature.h"

#include <QPointer>

#include <memory>

#include "charts/ChartsWindow.h"

namespace keno {

GameWindowFeature ChartsFeature(GameHistory& history, const MachineState& state) {
    return [&history, &state](GameWindow& window) {
        auto screen = std::make_shared<QPointer<ChartsWindow>>();
        window.AddMenuEntry({"mnucharts", QStringLiteral("Charts"), QKeySequence(Qt::Key_H), QStringLiteral("H"),
                             QStringLiteral("charts"), [&history, &state, &window, screen] {
                                 if (!*screen) *screen = new ChartsWindow(history, &window);
                                 (*screen)->Load(SlotNumber(state.playerslot),
                                                 QString::fromStdString(state.currentplayer));
                                 (*screen)->show();
                                 (*screen)->raise();
                                 (*screen)->activateWindow();
                             }});
    };
}

}  // namespace keno
