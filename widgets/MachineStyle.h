#pragma once
#include <QProxyStyle>

namespace keno {

// The toolkit's own style with the menu bar's overflow arrows painted here. Qt loads that arrow
// from a picture file when a menu bar is made, and to read it loads every image-format plugin it
// has (with their decoders), which the first frame then waits for. Nothing else changes.
class MachineStyle final : public QProxyStyle {
    Q_OBJECT
public:
    MachineStyle();

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    // Makes it the application's style, once.
    static void Install();
};

}  // namespace keno
