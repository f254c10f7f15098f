#pragma once
#include <QHash>
#include <QObject>
#include <QString>

#include "core/ViewModel.h"

class QWidget;

namespace keno {

// Applies a view model to a window's controls, found by objectName: square "a_<n>" gets its
// SquareView, a label its text, a control its enabling and visibility (a lit image button hides
// its picture only, so it still gets the release of a press), a QTimer is started or stopped and
// the text "caption" becomes the window title. Each value is compared with what the widget shows
// now and only differences are applied, so a paced step repaints just what it changed.
class ViewSync {
public:
    explicit ViewSync(QWidget& window) : window_(window) {}

    // Indexes the named children (widgets, timers, menu actions) of the window; call once the
    // face is built.
    void Collect();
    void Apply(const ViewModel& view) const;

    QObject* Find(const QString& name) const { return named_.value(name); }

private:
    void ApplySquares(const ViewModel& view) const;
    void ApplyControl(const QString& name, const ControlView& control) const;
    void ApplyText(const QString& name, const std::string& text) const;
    void ApplyTimer(const QString& name, bool running) const;

    QWidget& window_;
    QHash<QString, QObject*> named_;
};

}  // namespace keno
