#include "widgets/Accessibility.h"

#include "widgets/BallWidget.h"
#include "widgets/BoardSquare.h"
#include "widgets/ImageButton.h"
#include "widgets/MeterLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QMetaObject>
#include <QVariant>

namespace keno {

namespace {

QString NameOr(const QWidget* widget, const QString& fallback) {
    return widget->accessibleName().isEmpty() ? fallback : widget->accessibleName();
}

QString DescriptionOr(const QWidget* widget, const QString& fallback) {
    return widget->accessibleDescription().isEmpty() ? fallback : widget->accessibleDescription();
}

// A mouse cannot reach a window under a modal box; neither may a press from the bus.
bool BlockedByModal(const QWidget* widget) {
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && modal != widget->window() && !modal->isAncestorOf(widget);
}

// The press arrives from the accessibility bus, whose caller waits for our answer: a message box
// the click opens must not hold that answer back, so the click runs from the event loop. A
// disabled button ignores it, as it ignores the mouse (click() checks that).
void QueueClick(QAbstractButton* button) {
    QMetaObject::invokeMethod(
        button,
        [button] {
            if (!BlockedByModal(button)) button->click();
        },
        Qt::QueuedConnection);
}

QStringList KeyOf(const QWidget* widget) {
    const QString key = widget->property(kKeyProperty).toString();
    return key.isEmpty() ? QStringList() : QStringList{key};
}

class AccessibleImageButton final : public QAccessibleWidget {
public:
    explicit AccessibleImageButton(ImageButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text which) const override {
        switch (which) {
        case QAccessible::Name: return NameOr(button(), button()->text());
        case QAccessible::Description: return DescriptionOr(button(), button()->toolTip());
        default: return QAccessibleWidget::text(which);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        return state;
    }

    // As Qt's own buttons do, a disabled button offers no action.
    QStringList actionNames() const override {
        if (!button()->isEnabled()) return {};
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            QueueClick(button());
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        return action == pressAction() ? KeyOf(button()) : QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    ImageButton* button() const { return static_cast<ImageButton*>(widget()); }
};

class AccessibleBoardSquare final : public QAccessibleWidget {
public:
    explicit AccessibleBoardSquare(BoardSquare* square) : QAccessibleWidget(square, QAccessible::CheckBox) {}

    QString text(QAccessible::Text which) const override {
        switch (which) {
        case QAccessible::Name: return NameOr(square(), QString::number(square()->number()));
        case QAccessible::Description: return DescriptionOr(square(), square()->drawStatus());
        default: return QAccessibleWidget::text(which);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = square()->isMarked();
        state.pressed = square()->isDown();
        return state;
    }

    QStringList actionNames() const override {
        if (!square()->isEnabled()) return {};
        return QStringList{toggleAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == toggleAction() || action == pressAction()) {
            QueueClick(square());
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == toggleAction() || action == pressAction()) return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    BoardSquare* square() const { return static_cast<BoardSquare*>(widget()); }
};

class AccessibleMeter final : public QAccessibleWidget {
public:
    explicit AccessibleMeter(MeterLabel* meter) : QAccessibleWidget(meter, QAccessible::StaticText) {}

    QString text(QAccessible::Text which) const override {
        switch (which) {
        case QAccessible::Name: return NameOr(meter(), meter()->text());
        case QAccessible::Description: return DescriptionOr(meter(), meter()->caption());
        default: return QAccessibleWidget::text(which);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

private:
    MeterLabel* meter() const { return static_cast<MeterLabel*>(widget()); }
};

class AccessibleBall final : public QAccessibleWidget {
public:
    explicit AccessibleBall(BallWidget* ball) : QAccessibleWidget(ball, QAccessible::StaticText) {}

    QString text(QAccessible::Text which) const override {
        if (which == QAccessible::Name) {
            const int number = ball()->number();
            return NameOr(ball(), number > 0 ? QString::number(number) : QString());
        }
        return QAccessibleWidget::text(which);
    }

private:
    BallWidget* ball() const { return static_cast<BallWidget*>(widget()); }
};

template <typename Widget>
bool Is(const QString& className) {
    return className == QLatin1String(Widget::staticMetaObject.className());
}

// Asked once per object and class, most derived class first; the answer is cached by Qt.
QAccessibleInterface* KenoAccessibleFactory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    if (Is<ImageButton>(className)) return new AccessibleImageButton(static_cast<ImageButton*>(object));
    if (Is<BoardSquare>(className)) return new AccessibleBoardSquare(static_cast<BoardSquare*>(object));
    if (Is<MeterLabel>(className)) return new AccessibleMeter(static_cast<MeterLabel*>(object));
    if (Is<BallWidget>(className)) return new AccessibleBall(static_cast<BallWidget*>(object));
    return nullptr;
}

}  // namespace

void InstallKenoAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&KenoAccessibleFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace keno
