#pragma once
#include <QDialog>

#include <functional>

namespace keno {

// The about window "aboutkeno22": the program's icon (picIcon), its name and version (lblTitle)
// and OK (cmdOK). Not modal; deleted when closed. However it closes, the 22-ball window is
// enabled again afterwards, unless the options dialog or a message box is still open (the dialog
// disabled it and enables it itself when it closes).
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHeightTwips = 1830;
    static constexpr int kHeightPixels = kHeightTwips / 15;

    // gameWindow names the window to enable on close when it closes (null: none); keepsDisabled
    // says whether a dialog or box of the machine still needs it disabled.
    explicit AboutWindow(std::function<QWidget*()> gameWindow, QWidget* parent = nullptr,
                         std::function<bool()> keepsDisabled = {});

    // Shows it without waiting, at its height, and at the screen's top-left corner unless the
    // game window is minimised or maximised.
    void ShowPlaced();

    static QString ProgramTitle();
    static QString ProgramVersion();

private:
    void EnableGameWindow();

    std::function<QWidget*()> gameWindow_;
    std::function<bool()> keepsDisabled_;
};

}  // namespace keno
