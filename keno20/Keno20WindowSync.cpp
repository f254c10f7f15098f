#include "keno20/Keno20WindowSync.h"

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"

namespace keno {

namespace {

const QString kCaption = QStringLiteral("caption");

QString SquareName(int number) { return QStringLiteral("a_%1").arg(number); }

}  // namespace

void ViewSync::Collect() {
    named_.clear();
    const auto children = window_.findChildren<QObject*>();
    for (QObject* child : children) {
        const QString name = child->objectName();
        // Qt's own helpers carry names starting "qt_"; they are never ours.
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !named_.contains(name)) {
            named_.insert(name, child);
        }
    }
}

void ViewSync::Apply(const ViewModel& view) const {
    ApplySquares(view);
    for (const auto& [name, control] : view.Controls()) ApplyControl(QString::fromStdString(name), control);
    for (const auto& [name, text] : view.Texts()) ApplyText(QString::fromStdString(name), text);
    for (const auto& [name, running] : view.Timers()) ApplyTimer(QString::fromStdString(name), running);
}

void ViewSync::ApplySquares(const ViewModel& view) const {
    for (int number = 1; number <= ViewModel::kSquares; ++number) {
        auto* square = qobject_cast<BoardSquare*>(named_.value(SquareName(number)));
        if (square != nullptr && square->view() != view.Square(number)) square->setView(view.Square(number));
    }
}

void ViewSync::ApplyControl(const QString& name, const ControlView& control) const {
    QObject* object = named_.value(name);
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (action->isEnabled() != control.enabled) action->setEnabled(control.enabled);
        if (action->isVisible() != control.visible) action->setVisible(control.visible);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) return;
    // The widget's own flag, not isEnabled(): the options dialog may disable the whole window.
    if (widget->testAttribute(Qt::WA_Disabled) == control.enabled) widget->setEnabled(control.enabled);
    if (auto* button = qobject_cast<ImageButton*>(widget)) {
        if (button->imageHidden() == control.visible) button->setImageHidden(!control.visible);
    } else if (widget->isHidden() == control.visible) {
        widget->setVisible(control.visible);
    }
}

void ViewSync::ApplyText(const QString& name, const std::string& text) const {
    const QString shown = QString::fromStdString(text);
    if (name == kCaption) {
        if (window_.windowTitle() != shown) window_.setWindowTitle(shown);
        return;
    }
    if (auto* label = qobject_cast<QLabel*>(named_.value(name)); label != nullptr && label->text() != shown) {
        label->setText(shown);
    }
}

void ViewSync::ApplyTimer(const QString& name, bool running) const {
    auto* timer = qobject_cast<QTimer*>(named_.value(name));
    if (timer == nullptr || timer->isActive() == running) return;
    if (running) {
        timer->start();
    } else {
        timer->stop();
    }
}

}  // namespace keno
