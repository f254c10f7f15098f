#pragma once
// Shared helpers of the window tests: a machine over a private settings file, draws fixed in
// advance, clicks like a player's, waits for a game to settle, and an answerer for modal boxes.
//
// Use KENO_UI_TEST_MAIN(TestClass) instead of QTEST_MAIN: it points XDG_CONFIG_HOME at a
// temporary folder before the application exists, so no test ever touches the real settings.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/RandomSource.h"
#include "keno20/Keno20Game.h"
#include "keno20/Keno20Window.h"
#include "keno22/Keno22Game.h"
#include "keno22/Keno22Window.h"
#include "shell/IniSettingsStore.h"
#include "shell/KenoApp.h"

namespace keno::uitest {

// ---------------------------------------------------------------------------------------------
// Settings isolation

// Points XDG_CONFIG_HOME at a temporary folder that lives as long as the test program.
inline void IsolateUserSettings() {
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/keno-ui-test-XXXXXX"));
    if (folder.isValid()) ::setenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit().constData(), 1);
}

#define KENO_UI_TEST_MAIN(TestObject)                      \
    int main(int argc, char** argv) {                      \
        keno::uitest::IsolateUserSettings();               \
        QApplication application(argc, argv);              \
        application.setApplicationName("keno22-tests");    \
        TestObject test;                                   \
        QTEST_SET_MAIN_SOURCE_PATH                         \
        return QTest::qExec(&test, argc, argv);            \
    }

// ---------------------------------------------------------------------------------------------
// Draws

// Makes the coming draws (PLAY's balls, AUTO SELECT's picks) come out as scripted, one list per
// draw in the order the draws happen; every draw reseeds first, which is where the next list starts.
// Once the script is used up, draws come from a fixed seed.
class ScriptedDraws final : public RandomSource {
public:
    explicit ScriptedDraws(std::deque<std::vector<int>> draws, std::uint64_t seed = 7)
        : script_(std::move(draws)), fallback_(seed) {}
    void Add(std::vector<int> draw) { script_.push_back(std::move(draw)); }

    void Reseed() override {
        current_.clear();
        if (!script_.empty()) {
            current_ = std::move(script_.front());
            script_.pop_front();
        }
        next_ = 0;
        for (int n = 0; n < 80; ++n) pool_[n] = n + 1;
        taken_ = 0;
    }

    // The fraction that makes the urn give the scripted number: position k among the r still in
    // play is chosen by int(r * u) + 1, so the middle of k's interval picks it.
    double Fraction() override {
        if (next_ >= current_.size()) return fallback_.Fraction();
        const int wanted = current_[next_++];
        const int inPlay = 80 - taken_;
        for (int k = 0; k < inPlay; ++k) {
            if (pool_[k] == wanted) {
                pool_[k] = pool_[inPlay - 1];
                ++taken_;
                return (k + 0.5) / inPlay;
            }
        }
        return fallback_.Fraction();  // a repeated or impossible number: not a draw the urn can give
    }

private:
    std::deque<std::vector<int>> script_;
    std::vector<int> current_;
    std::size_t next_ = 0;
    int pool_[80]{};
    int taken_ = 0;
    SeededRandomSource fallback_;
};

// ---------------------------------------------------------------------------------------------
// Finding and clicking controls

template <typename T = QWidget>
T* Find(QObject* root, const QString& name) {
    return root ? root->findChild<T*>(name) : nullptr;
}

// A click with the mouse at the control's centre (press and release over it).
inline bool Click(QWidget* control) {
    if (!control) return false;
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    return true;
}

// For controls that act on the mouse press (with the release coming after the handler ran).
inline bool PressAndRelease(QWidget* control) {
    if (!control) return false;
    QTest::mousePress(control, Qt::LeftButton, {}, control->rect().center());
    QTest::mouseRelease(control, Qt::LeftButton, {}, control->rect().center());
    return true;
}

inline bool ClickNamed(QObject* root, const QString& name) { return Click(Find(root, name)); }
inline bool PressNamed(QObject* root, const QString& name) { return PressAndRelease(Find(root, name)); }

// Triggers a menu entry (QAction) by its object name, as choosing it from the menu does.
inline bool TriggerAction(QObject* root, const QString& name) {
    auto* action = Find<QAction>(root, name);
    if (!action) return false;
    action->trigger();
    return true;
}

// Marks the squares a_<n> by clicking them.
inline bool ClickSquares(QObject* root, const std::vector<int>& numbers) {
    for (int n : numbers) {
        if (!ClickNamed(root, QStringLiteral("a_%1").arg(n))) return false;
    }
    return true;
}

// The caption shown by a lit label, meter or any widget with a text property.
inline QString TextOf(QObject* root, const QString& name) {
    QObject* control = root ? root->findChild<QObject*>(name) : nullptr;
    return control ? control->property("text").toString() : QString();
}

inline bool EnabledNamed(QObject* root, const QString& name) {
    auto* control = Find(root, name);
    return control && control->isEnabled();
}

// ---------------------------------------------------------------------------------------------
// Modal message boxes

// What a message box said before it was answered.
struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString objectName;
};

// Answers the modal boxes that come up after Arm(): arm it BEFORE the click that opens the box.
// A zero-time timer looks for QApplication::activeModalWidget(); when the box is not up yet it
// looks again shortly (for a bounded time), so a box raised at the end of a paced draw is caught.
class BoxAnswerer {
public:
    // Answers the next box with `button` (Ok, Cancel, Yes, No); once answered, the answerer
    // disarms unless told to answer `count` boxes.
    void Arm(QMessageBox::StandardButton button = QMessageBox::Ok, int count = 1, int patienceMs = 10000) {
        button_ = button;
        remaining_ = count;
        triesLeft_ = patienceMs / kRetryMs + 1;
        Schedule(0);
    }
    void Disarm() { remaining_ = 0; }

    const std::vector<SeenBox>& Seen() const { return seen_; }
    bool Answered() const { return remaining_ == 0 && !seen_.empty(); }
    void Clear() { seen_.clear(); }

private:
    static constexpr int kRetryMs = 10;

    void Schedule(int ms) {
        QTimer::singleShot(ms, &context_, [this] { Look(); });
    }

    void Look() {
        if (remaining_ <= 0) return;
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (--triesLeft_ > 0) Schedule(kRetryMs);
            return;
        }
        seen_.push_back({box->text(), box->windowTitle(), box->icon(), box->objectName()});
        QAbstractButton* button = box->button(button_);
        if (!button) button = box->defaultButton();
        if (!button) button = box->escapeButton();
        if (button) {
            button->click();
        } else {
            box->done(QMessageBox::Ok);
        }
        if (--remaining_ > 0) Schedule(kRetryMs);
    }

    QObject context_;
    QMessageBox::StandardButton button_ = QMessageBox::Ok;
    int remaining_ = 0;
    int triesLeft_ = 0;
    std::vector<SeenBox> seen_;
};

// ---------------------------------------------------------------------------------------------
// The machine over a private settings file

// A KenoApp whose ledger lives in a file of a temporary folder, whose exit only raises a flag and
// whose draws are fixed (a seed, or ScriptedDraws). Records may be put in the file before Start().
class AppRig {
public:
    // settingsFile: empty means "keno22.ini" in the rig's own temporary folder.
    explicit AppRig(std::unique_ptr<RandomSource> random = nullptr, QString settingsFile = {})
        : file_(settingsFile.isEmpty() ? folder_.filePath(QStringLiteral("keno22.ini")) : settingsFile) {
        app_ = std::make_unique<KenoApp>(std::make_unique<IniSettingsStore>(file_));
        app_->SetExitHandler([this] { ++exits_; });
        app_->SetRandomSource(random ? std::move(random) : std::make_unique<SeededRandomSource>(20240611));
    }
    ~AppRig() {
        // Windows first, while the machine they refer to is alive.
        app_.reset();
    }
    AppRig(const AppRig&) = delete;
    AppRig& operator=(const AppRig&) = delete;

    KenoApp& App() { return *app_; }
    MachineState& State() { return app_->State(); }
    const QString& SettingsFile() const { return file_; }
    QString Folder() const { return folder_.path(); }

    // Starts the machine and waits until keno22 is on screen.
    bool Start() {
        app_->Start();
        return app_->Keno22() && QTest::qWaitForWindowExposed(app_->Keno22());
    }

    Keno22Window* K22() const { return app_->Keno22(); }
    Keno20Window* K20() const { return app_->Keno20(); }

    int Exits() const { return exits_; }
    bool Exited() const { return exits_ > 0; }

    // Writes a stored record (key -> text) for a slot straight into the file, as an earlier run would.
    void PutRecord(int slot, const std::map<QString, QString>& keys) {
        QSettings file(file_, QSettings::IniFormat);
        for (const auto& [key, value] : keys) file.setValue(Section(slot) + u'/' + key, value);
        file.sync();
    }
    // A stored value as the file holds it now; null when absent.
    QString Stored(int slot, const QString& key) const {
        QSettings file(file_, QSettings::IniFormat);
        const QVariant value = file.value(Section(slot) + u'/' + key);
        return value.isValid() ? value.toString() : QString();
    }
    bool HasRecord(int slot) const {
        QSettings file(file_, QSettings::IniFormat);
        file.beginGroup(Section(slot));
        return file.childKeys().size() == 8;
    }

    // Waits (bounded) until neither game is running a paced sequence.
    bool WaitSettled(int timeoutMs = 30000) {
        return QTest::qWaitFor([this] { return !Running(); }, timeoutMs);
    }
    bool Running() const {
        const bool k22 = K22() && K22()->Game().Running();
        const bool k20 = K20() && K20()->Game().Running();
        return k22 || k20;
    }

    static QString Section(int slot) { return QStringLiteral("player%1").arg(slot); }

private:
    QTemporaryDir folder_;
    QString file_;
    std::unique_ptr<KenoApp> app_;
    int exits_ = 0;
};

// The eight keys of a player record, in the order they are written.
inline const std::vector<QString>& RecordKeys() {
    static const std::vector<QString> keys = {
        QStringLiteral("coinsbet"), QStringLiteral("reelspeed"), QStringLiteral("amountinvested"),
        QStringLiteral("wager"),    QStringLiteral("total"),     QStringLiteral("bank"),
        QStringLiteral("games"),    QStringLiteral("currentplayer")};
    return keys;
}

}  // namespace keno::uitest
