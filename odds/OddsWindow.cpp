#include "odds/OddsWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "odds/OddsSheet.h"
#include "odds/OddsSheetWidget.h"
#include "widgets/ImageButton.h"

namespace keno {

namespace {
constexpr QSize kBaseSize(800, 580);  // the window's own size, where the button is kButton
constexpr QSize kButton(190, 46);
}  // namespace

OddsWindow::OddsWindow(const OddsInput& input, QWidget* parent)
    : QWidget(parent, Qt::Window),
      input_(input),
      sheet_(new OddsSheetWidget(this)),
      returnToGame_(new ImageButton(QStringLiteral("Return to Game"), QColor(230, 170, 30), this)) {
    setObjectName(QStringLiteral("odds"));
    setAttribute(Qt::WA_DeleteOnClose);

    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(10, 12, 26));
    setPalette(dark);
    setAutoFillBackground(true);

    returnToGame_->setObjectName(QStringLiteral("oddsreturn"));
    returnToGame_->setFixedSize(kButton);
    connect(returnToGame_, &ImageButton::clicked, this, &OddsWindow::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(returnToGame_);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 4);
    column->setSpacing(2);
    column->addWidget(sheet_, 1);
    column->addLayout(buttons);
    resize(kBaseSize);
    Rebuild();
}

void OddsWindow::SetInput(const OddsInput& input) {
    if (input == input_) return;
    input_ = input;
    Rebuild();
}

const OddsSheet& OddsWindow::Sheet() const { return sheet_->Sheet(); }

void OddsWindow::Rebuild() {
    sheet_->SetSheet(BuildOddsSheet(input_.game, input_.spots, input_.bet));
    setWindowTitle(input_.game == OddsGame::Keno22 ? QStringLiteral("K E N O 22  Odds") : QStringLiteral("K E N O  Odds"));
}

// The button grows with the window as the sheet does, so a large screen does not leave it tiny.
void OddsWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const qreal scale = std::max(1.0, std::min(width() / qreal(kBaseSize.width()), height() / qreal(kBaseSize.height())));
    const QSize button = (QSizeF(kButton) * scale).toSize();
    if (returnToGame_->size() != button) returnToGame_->setFixedSize(button);
}

void OddsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace keno
