#include "info/GameInformation.h"

#include <QMessageBox>

#include "info/GameInformationText.h"
#include "host/QtMessenger.h"
#include "widgets/KeyboardPlay.h"

namespace keno {

namespace {

InformationGame ToInformationGame(GameKind game) {
    return game == GameKind::Keno22 ? InformationGame::Keno22 : InformationGame::Keno20;
}

}  // namespace

QString GameInformationDisplayText(GameKind game) {
    QString shown = QtMessenger::DisplayText(GameInformationText(ToInformationGame(game)));
    // The last carriage return ends the last line; as a line break it would only add a blank line.
    if (shown.endsWith(QLatin1Char('\n'))) shown.chop(1);
    return shown;
}

void ShowGameInformationBox(GameKind game, QWidget* parent) {
    const Message message = GameInformationMessage(ToInformationGame(game));
    QMessageBox box(QMessageBox::Information, QString::fromStdString(message.title), GameInformationDisplayText(game),
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("message"));
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(GameKeysHelp(parent));  // below the game's own text, which stays as it is
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();  // modal: the game window waits for the player to close it
}

}  // namespace keno
