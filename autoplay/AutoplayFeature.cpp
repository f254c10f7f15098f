#include "autoplay/AutoplayFeature.h"

#include <QPointer>

#include <memory>

#include "autoplay/Autoplay.h"
#include "autoplay/AutoplayDialog.h"

namespace keno {

GameWindowFeature AutoplayFeature(const MachineState& state) {
    return [&state](GameWindow& window) {
        auto* autoplay = new Autoplay(window, state);
        // The last choices of this window, for the next opening (not kept from one run to the next).
        auto last = std::make_shared<AutoplaySettings>();
        auto dialog = std::make_shared<QPointer<AutoplayDialog>>();
        const auto open = [&window, autoplay, last, dialog] {
            // While it runs the key never gets here (it stops the run); the menu click neither.
            if (autoplay->Running()) return autoplay->RequestStop();
            if (window.GameInHand() || *dialog) return;
            auto* shown = new AutoplayDialog(*last, window.Kind() == GameKind::Keno22,
                                             static_cast<int>(window.Picks().size()), window.Bet(), &window);
            *dialog = shown;
            QObject::connect(shown, &QDialog::accepted, autoplay, [autoplay, last, shown] {
                *last = shown->Settings();
                autoplay->Start(*last);
            });
            shown->open();
        };
        window.AddMenuEntry({"mnuautoplay", QStringLiteral("Autoplay"), QKeySequence(Qt::Key_R), QStringLiteral("R"),
                             QStringLiteral("autoplay"), open});
    };
}

}  // namespace keno
