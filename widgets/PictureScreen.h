#pragma once
#include <QSize>
#include <QWidget>

namespace keno {

class ImageButton;

// A screen of its own beside the game windows: one painted picture over a "Return to Game"
// button that closes it, as Escape does. The picture scales by itself; the button grows with the
// window from its size at the screen's design size. Not modal; deleted when closed.
class PictureScreen : public QWidget {
    Q_OBJECT
public:
    struct Look {
        QColor background;
        QSize designSize;   // the window's size as first shown
        QSize buttonSize;   // the button's size at the design size
        QString buttonName; // the button's object name
    };
    PictureScreen(const Look& look, QWidget* parent);

protected:
    // Puts the picture above the button; called once by the screen's constructor.
    void SetPicture(QWidget* picture);
    ImageButton* ReturnButton() const { return returnToGame_; }

    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Look look_;
    ImageButton* returnToGame_;
};

}  // namespace keno
