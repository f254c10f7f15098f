#include "host/QtMessenger.h"

#include <QMessageBox>

namespace keno {

namespace {

QMessageBox::Icon ToQt(Icon icon) {
    switch (icon) {
        case Icon::Information: return QMessageBox::Information;
        case Icon::Question: return QMessageBox::Question;
        case Icon::Exclamation: return QMessageBox::Warning;
        case Icon::Critical: return QMessageBox::Critical;
        case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ToQt(Answer answer) {
    switch (answer) {
        case Answer::Ok: return QMessageBox::Ok;
        case Answer::Cancel: return QMessageBox::Cancel;
        case Answer::Yes: return QMessageBox::Yes;
        case Answer::No: return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

}  // namespace

QString QtMessenger::DisplayText(const std::string& text) {
    // Carriage returns end lines in our texts; a message box needs line feeds for that.
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

Answer QtMessenger::Show(const Message& message) {
    // On the heap: when the parent window goes while the box is up, the box goes with it and must
    // not be freed a second time here.
    const QPointer<QMessageBox> box = new QMessageBox(ToQt(message.icon), QString::fromStdString(message.title),
                                                      DisplayText(message.text), QMessageBox::NoButton, parent_);
    box->setObjectName("message");
    switch (message.buttons) {
        case Buttons::Ok: box->setStandardButtons(QMessageBox::Ok); break;
        case Buttons::OkCancel: box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNo: box->setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    box->setDefaultButton(ToQt(message.defaultButton));
    const int pressed = box->exec();
    if (!box) return message.defaultButton;
    delete box.data();
    switch (pressed) {
        case QMessageBox::Cancel: return Answer::Cancel;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return Answer::Ok;
    }
}

}  // namespace keno
