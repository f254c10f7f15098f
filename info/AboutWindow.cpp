#include "info/AboutWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "widgets/KenoIcon.h"
#include "info/ProgramInfo.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"

namespace keno {

namespace {
constexpr int kIconSize = 80;
}

AboutWindow::AboutWindow(std::function<QWidget*()> gameWindow, QWidget* parent, std::function<bool()> keepsDisabled)
    : QDialog(parent), gameWindow_(std::move(gameWindow)), keepsDisabled_(std::move(keepsDisabled)) {
    setObjectName(QStringLiteral("aboutkeno22"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("About ") + ProgramTitle());

    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(10, 12, 26));
    setPalette(dark);
    setAutoFillBackground(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setFixedSize(kIconSize, kIconSize);
    icon->setPixmap(KenoIconPixmap(kIconSize, devicePixelRatioF()));

    auto* title = new LitLabel(ProgramTitle() + QStringLiteral("  Version ") + ProgramVersion(),
                               QColor(255, 208, 64), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setMinimumSize(300, 40);
    title->setTextScale(0.6);

    auto* ok = new ImageButton(QStringLiteral("OK"), QColor(40, 190, 80), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setFixedSize(110, 44);
    ok->setFocusPolicy(Qt::StrongFocus);  // Enter or Space answers it, as OK should
    connect(ok, &ImageButton::clicked, this, &AboutWindow::close);

    // Every way out (OK, the close box, Escape) ends in finished().
    connect(this, &QDialog::finished, this, &AboutWindow::EnableGameWindow);

    auto* okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(ok);
    auto* right = new QVBoxLayout;
    right->addWidget(title);
    right->addStretch();
    right->addLayout(okRow);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 12, 14, 12);
    row->setSpacing(16);
    row->addWidget(icon, 0, Qt::AlignVCenter);
    row->addLayout(right, 1);

    setFixedHeight(kHeightPixels);
    resize(450, kHeightPixels);
    ok->setFocus();
}

QString AboutWindow::ProgramTitle() {
    return QString::fromLatin1(kProgramTitle);
}

QString AboutWindow::ProgramVersion() {
    return QString::fromLatin1(kProgramVersion);
}

void AboutWindow::ShowPlaced() {
    show();
    resize(width(), kHeightPixels);
    QWidget* game = gameWindow_ ? gameWindow_() : nullptr;
    const bool gameMinOrMax = game && (game->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (!gameMinOrMax) {
        if (QScreen* where = screen()) move(where->availableGeometry().topLeft());
    }
}

// The options dialog disabled the game window for as long as it is open; it enables it itself.
void AboutWindow::EnableGameWindow() {
    if (keepsDisabled_ && keepsDisabled_()) return;
    if (QWidget* game = gameWindow_ ? gameWindow_() : nullptr) game->setEnabled(true);
}

}  // namespace keno
