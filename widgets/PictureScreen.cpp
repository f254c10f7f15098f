#include "widgets/PictureScreen.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "widgets/ImageButton.h"

namespace keno {

PictureScreen::PictureScreen(const Look& look, QWidget* parent)
    : QWidget(parent, Qt::Window),
      look_(look),
      returnToGame_(new ImageButton(QStringLiteral("Return to Game"), QColor(230, 170, 30), this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette dark = palette();
    dark.setColor(QPalette::Window, look_.background);
    setPalette(dark);
    setAutoFillBackground(true);

    returnToGame_->setObjectName(look_.buttonName);
    returnToGame_->setFixedSize(look_.buttonSize);
    connect(returnToGame_, &ImageButton::clicked, this, &QWidget::close);
    resize(look_.designSize);
}

void PictureScreen::SetPicture(QWidget* picture) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(returnToGame_);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 4);
    column->setSpacing(2);
    column->addWidget(picture, 1);
    column->addLayout(buttons);
}

void PictureScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const qreal scale = std::clamp(std::min(width() / qreal(look_.designSize.width()),
                                            height() / qreal(look_.designSize.height())),
                                   1.0, 4.0);
    const QSize button = (QSizeF(look_.buttonSize) * scale).toSize();
    if (returnToGame_->size() != button) returnToGame_->setFixedSize(button);
}

void PictureScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace keno
