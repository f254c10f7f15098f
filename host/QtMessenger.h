#pragma once
#include <QPointer>
#include <QWidget>

#include "core/Message.h"

namespace keno {

// Shows an engine's message as a modal message box over the given window.
class QtMessenger final : public Messenger {
public:
    explicit QtMessenger(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    Answer Show(const Message& message) override;
    // The text as a message box shows it.
    static QString DisplayText(const std::string& text);

private:
    QPointer<QWidget> parent_;
};

}  // namespace keno
