#pragma once
// Shared helpers of the window tests: a machine over a private settings file, draws fixed in
// advance, clicks like a player's, waits for a game to settle, and an answerer for modal boxes.
// KENO_UI_TEST_MAIN(TestClass) replaces QTEST_MAIN so that no test touches the real settings or
// the real game history.
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "core/RandomSource.h"
#include "keno20/Keno20Game.h"
#include "keno20/Keno20Window.h"
#include "keno22/Keno22Game.h"
#include "keno22/Keno22Window.h"
#include "shell/IniSettingsStore.h"
#include "shell/KenoApp.h"

#define KENO_UI_TEST_MAIN(TestObject)                                \
    int main(int argc, char** argv) {                                \
        QTemporaryDir home; /* the per-user settings folder */       \
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());       \
        QTemporaryDir data; /* the per-user data folder */           \
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());         \
        QApplication application(argc, argv);                        \
        application.setApplicationName("keno22-tests");              \
        TestObject test;                                             \
        return QTest::qExec(&test, argc, argv);                      \
    }

namespace keno::uitest {

// The coming draws (PLAY's balls, AUTO SELECT's picks) as scripted, one list per draw (each reseeds
// first); after the script, or for a number the urn cannot give, draws come from a fixed seed.
class ScriptedDraws final : public RandomSource {
public:
    explicit ScriptedDraws(std::deque<std::vector<int>> draws, std::uint64_t seed = 7)
        : script_(std::move(draws)), fallback_(seed) {}
    void Add(std::vector<int> draw) { script_.push_back(std::move(draw)); }
    void Reseed() override {
        current_ = script_.empty() ? std::vector<int>{} : std::move(script_.front());
        if (!script_.empty()) script_.pop_front();
        next_ = 0;
        taken_ = 0;
        for (int n = 0; n < 80; ++n) pool_[n] = n + 1;
    }
    // Position k among the r still in play is chosen by int(r * u) + 1: the middle of k's interval.
    double Fraction() override {
        if (next_ >= current_.size()) return fallback_.Fraction();
        const int inPlay = 80 - taken_;
        int* at = std::find(pool_, pool_ + inPlay, current_[next_++]);
        if (at == pool_ + inPlay) return fallback_.Fraction();
        *at = pool_[inPlay - 1];
        ++taken_;
        return (static_cast<double>(at - pool_) + 0.5) / inPlay;
    }

private:
    std::deque<std::vector<int>> script_;
    std::vector<int> current_;
    std::size_t next_ = 0;
    int pool_[80]{}, taken_ = 0;
    SeededRandomSource fallback_;
};

template <typename T = QWidget>
T* Find(QObject* root, const QString& name) { return root ? root->findChild<T*>(name) : nullptr; }

// A click at the control's centre; PressAndRelease is for controls that act on the press itself.
inline bool Click(QWidget* control) {
    if (control) QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    return control != nullptr;
}
inline bool PressAndRelease(QWidget* control) {
    if (!control) return false;
    QTest::mousePress(control, Qt::LeftButton, {}, control->rect().center());
    QTest::mouseRelease(control, Qt::LeftButton, {}, control->rect().center());
    return true;
}
inline bool ClickNamed(QObject* root, const QString& name) { return Click(Find(root, name)); }
inline bool PressNamed(QObject* root, const QString& name) { return PressAndRelease(Find(root, name)); }

// Triggers a menu entry by its object name, as choosing it from the menu does.
inline bool TriggerAction(QObject* root, const QString& name) {
    auto* action = Find<QAction>(root, name);
    if (action) action->trigger();
    return action != nullptr;
}

// Marks the squares a_<n> by clicking them.
inline bool ClickSquares(QObject* root, const std::vector<int>& numbers) {
    return std::all_of(numbers.begin(), numbers.end(),
                       [root](int n) { return ClickNamed(root, QStringLiteral("a_%1").arg(n)); });
}

// The caption of a label, meter or any widget with a text property.
inline QString TextOf(QObject* root, const QString& name) {
    QObject* control = root ? root->findChild<QObject*>(name) : nullptr;
    return control ? control->property("text").toString() : QString();
}
inline bool EnabledNamed(QObject* root, const QString& name) {
    return Find(root, name) && Find(root, name)->isEnabled();
}

struct SeenBox {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers the next `count` modal boxes with `button`: Arm() BEFORE the click that opens the box.
// It looks again every few ms for a bounded time, so a box at the end of a paced draw is caught.
class BoxAnswerer {
public:
    void Arm(QMessageBox::StandardButton button = QMessageBox::Ok, int count = 1, int patienceMs = 10000) {
        button_ = button;
        remaining_ = count;
        triesLeft_ = patienceMs / kRetryMs + 1;
        Schedule(0);
    }
    const std::vector<SeenBox>& Seen() const { return seen_; }
    bool Answered() const { return remaining_ == 0 && !seen_.empty(); }
    void Clear() { seen_.clear(); }

private:
    static constexpr int kRetryMs = 10;

    void Schedule(int ms) { QTimer::singleShot(ms, &context_, [this] { Look(); }); }
    void Look() {
        if (remaining_ <= 0) return;
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (--triesLeft_ > 0) Schedule(kRetryMs);
            return;
        }
        seen_.push_back({box->text(), box->windowTitle(), box->icon()});
        QAbstractButton* button = box->button(button_);
        if (!button && !(button = box->defaultButton())) button = box->escapeButton();
        button ? button->click() : box->done(QMessageBox::Ok);
        if (--remaining_ > 0) Schedule(kRetryMs);
    }

    QObject context_;
    QMessageBox::StandardButton button_ = QMessageBox::Ok;
    int remaining_ = 0, triesLeft_ = 0;
    std::vector<SeenBox> seen_;
};

// A KenoApp whose ledger lives in a file of a temporary folder (or `settingsFile`), whose exit
// only counts, and whose draws are fixed. Records may be put in the file before Start().
class AppRig {
public:
    explicit AppRig(std::unique_ptr<RandomSource> random = nullptr, QString settingsFile = {})
        : file_(settingsFile.isEmpty() ? folder_.filePath(QStringLiteral("keno22.ini")) : settingsFile) {
        app_ = std::make_unique<KenoApp>(std::make_unique<IniSettingsStore>(file_));
        app_->SetExitHandler([this] { ++exits_; });
        app_->SetRandomSource(random ? std::move(random) : std::make_unique<SeededRandomSource>(20240611));
    }

    KenoApp& App() { return *app_; }
    MachineState& State() { return app_->State(); }
    Keno22Window* K22() const { return app_->Keno22(); }
    Keno20Window* K20() const { return app_->Keno20(); }
    int Exits() const { return exits_; }
    const QString& File() const { return file_; }
    bool Exited() const { return exits_ > 0; }

    bool Start() {  // and waits until keno22 is on screen
        app_->Start();
        return K22() && QTest::qWaitForWindowExposed(K22());
    }

    // Writes a slot's record (key -> text) into the file as an earlier run would; Stored reads one
    // value back (null when absent).
    void PutRecord(int slot, const std::map<QString, QString>& keys) {
        QSettings file(file_, QSettings::IniFormat);
        for (const auto& [key, value] : keys) file.setValue(Section(slot) + u'/' + key, value);
    }
    QString Stored(int slot, const QString& key) const {
        return QSettings(file_, QSettings::IniFormat).value(Section(slot) + u'/' + key).toString();
    }
    bool HasRecord(int slot) const {
        return QSettings(file_, QSettings::IniFormat).allKeys().filter(Section(slot) + u'/').size() == 8;
    }

    // Waits (bounded) until neither game is running a paced sequence.
    bool WaitSettled(int timeoutMs = 30000) { return QTest::qWaitFor([this] { return !Running(); }, timeoutMs); }
    bool Running() const { return (K22() && K22()->Game().Running()) || (K20() && K20()->Game().Running()); }

private:
    static QString Section(int slot) { return QStringLiteral("player%1").arg(slot); }

    QTemporaryDir folder_;
    QString file_;
    int exits_ = 0;
    std::unique_ptr<KenoApp> app_;  // last: its windows go first
};

}  // namespace keno::uitest
