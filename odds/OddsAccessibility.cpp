#include "odds/OddsAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <functional>

#include "odds/ExtraBallAdvisor.h"
#include "odds/OddsSheetWidget.h"

namespace keno {

namespace {

// A painted panel with no children of its own: one read-only label.
class AccessiblePanel final : public QAccessibleWidget {
public:
    AccessiblePanel(QWidget* widget, std::function<QString()> name, std::function<QString()> description)
        : QAccessibleWidget(widget, QAccessible::StaticText), name_(std::move(name)), description_(std::move(description)) {}

    QString text(QAccessible::Text which) const override {
        if (which == QAccessible::Name) return widget()->accessibleName().isEmpty() ? name_() : widget()->accessibleName();
        if (which == QAccessible::Description) return description_();
        return QAccessibleWidget::text(which);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.focusable = false;
        return state;
    }

private:
    std::function<QString()> name_;
    std::function<QString()> description_;
};

QAccessibleInterface* OddsAccessibleFactory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String(ExtraBallAdvisor::staticMetaObject.className())) {
        auto* advisor = static_cast<ExtraBallAdvisor*>(object);
        return new AccessiblePanel(advisor, [advisor] { return advisor->SpokenText(); }, [] { return QString(); });
    }
    if (className == QLatin1String(OddsSheetWidget::staticMetaObject.className())) {
        auto* sheet = static_cast<OddsSheetWidget*>(object);
        return new AccessiblePanel(
            sheet,
            [sheet] { return QString::fromStdString(sheet->Sheet().heading + ", " + sheet->Sheet().subheading); },
            [sheet] { return QString::fromStdString(sheet->Sheet().Spoken()); });
    }
    return nullptr;
}

}  // namespace

void InstallOddsAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&OddsAccessibleFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace keno
