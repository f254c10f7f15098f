#include "info/PayoutsWindow.h"

#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

#include "info/PayoutsPicture.h"
#include "info/PayoutsPictureWidget.h"
#include "widgets/ImageButton.h"

namespace keno {

PayoutsWindow::PayoutsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      picture_(new PayoutsPictureWidget(this)),
      returnToGame_(new ImageButton(QStringLiteral("Return to Game"), QColor(230, 170, 30), this)) {
    setObjectName(QStringLiteral("payouts"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(kPayoutsCaption));

    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(10, 12, 26));
    setPalette(dark);
    setAutoFillBackground(true);

    returnToGame_->setObjectName(QStringLiteral("SSCommand1"));
    returnToGame_->setFixedSize(190, 46);
    connect(returnToGame_, &ImageButton::clicked, this, &PayoutsWindow::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(returnToGame_);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 4);
    column->setSpacing(2);
    column->addWidget(picture_, 1);
    column->addLayout(buttons);

    PlaceAtScreenCorner();
}

void PayoutsWindow::PlaceAtScreenCorner() {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) return;
    if (QScreen* where = screen()) move(where->availableGeometry().topLeft());
}

}  // namespace keno
