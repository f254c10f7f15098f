#include "odds/OddsWindow.h"

#include "odds/OddsSheet.h"
#include "odds/OddsSheetWidget.h"

namespace keno {

OddsWindow::OddsWindow(const OddsInput& input, QWidget* parent)
    : PictureScreen({QColor(10, 12, 26), QSize(800, 580), QSize(190, 46), QStringLiteral("oddsreturn")}, parent),
      input_(input),
      sheet_(new OddsSheetWidget(this)) {
    setObjectName(QStringLiteral("odds"));
    SetPicture(sheet_);
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

}  // namespace keno
