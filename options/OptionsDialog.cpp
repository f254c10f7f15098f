#include "options/OptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>


namespace keno {

OptionsDialog::OptionsDialog(GameHost& host, QWidget* opener)
    : QDialog(nullptr),  // not a child of the opener: disabling the opener must not disable us
      host_(host),
      opener_(opener),
      messenger_(this) {
    setObjectName(QStringLiteral("frmkeno22options"));
    setWindowTitle(QStringLiteral("Keno Options"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    // keno22 exists from start-up on; a dialog is only ever opened from a game window.
    ViewModel* keno22 = host_.GameView(GameKind::Keno22);
    Q_ASSERT(keno22);
    controller_ = std::make_unique<OptionsController>(host_.State(), host_.Ledger(), messenger_, *this,
                                                      host_.DisplayModes(), *keno22,
                                                      host_.GameView(GameKind::Keno20));
    controller_->SetUpperCase([](std::string_view name) {
        return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toUpper().toStdString();
    });

    BuildControls();
    ApplyLook();
    ConnectControls();
    adjustSize();
    if (opener_) move(opener_->geometry().center() - rect().center());

    Run([](OptionsController& c) { c.OpenOptions(); });
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::ConnectControls() {
    connect(ui_.machines, &QButtonGroup::idToggled, this, [this](int slot, bool checked) {
        if (!checked || reflecting_) return;
        Run([slot](OptionsController& c) { c.SelectPlayerSlot(slot); });
    });
    connect(ui_.speeds, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (!checked || reflecting_) return;
        Run([index](OptionsController& c) { c.SelectSpeed(index); });
    });
    connect(ui_.chkadvisor, &QCheckBox::toggled, this, [this](bool checked) {
        if (reflecting_) return;
        Run([checked](OptionsController& c) { c.ShowAdvice(checked); });
    });
    ui_.player1->installEventFilter(this);
    connect(ui_.btndeletedetails, &QPushButton::clicked, this,
            [this] { Run([](OptionsController& c) { c.DeletePlayerDetails(); }); });
    connect(ui_.btnokplayer, &QPushButton::clicked, this,
            [this] { Run([](OptionsController& c) { c.CloseOptions(); }); });
    connect(ui_.cmdlargescreen, &QPushButton::clicked, this,
            [this] { Run([](OptionsController& c) { c.SetLargeScreen(); }); });
    connect(ui_.cmdorigonal, &QPushButton::clicked, this,
            [this] { Run([](OptionsController& c) { c.SetOriginalScreen(); }); });
}

template <typename Operation>
void OptionsDialog::Run(Operation operation) {
    // An operation may wait in a message box, and a control pressed meanwhile (through the
    // accessibility interface, say) runs another one inside it. The dialog closes only once the
    // outermost has returned: the operations below it still use it.
    ++running_;
    operation(*controller_);
    ShowView();
    if (--running_ == 0 && closePending_) {
        closePending_ = false;
        close();
    }
}

void OptionsDialog::ShowView() {
    const OptionsView& view = controller_->View();
    // Reflecting the selection must not run the handlers again: the controller already chained them.
    reflecting_ = true;
    {
        const QSignalBlocker blockMachines(ui_.machines);
        const QSignalBlocker blockSpeeds(ui_.speeds);
        for (int slot = 1; slot <= 6; ++slot) {
            QRadioButton* button = ui_.machine[static_cast<std::size_t>(slot)];
            const QSignalBlocker blockButton(button);
            button->setText(QString::fromStdString(view.machine[static_cast<std::size_t>(slot)]));
        }
        const auto select = [](QButtonGroup* group, int id) {
            QAbstractButton* wanted = group->button(id);
            if (wanted) {
                const QSignalBlocker block(wanted);
                wanted->setChecked(true);
                return;
            }
            // No selection: an exclusive group refuses to uncheck its checked button.
            group->setExclusive(false);
            for (QAbstractButton* button : group->buttons()) {
                const QSignalBlocker block(button);
                button->setChecked(false);
            }
            group->setExclusive(true);
        };
        select(ui_.machines, view.selectedSlot);
        select(ui_.speeds, view.selectedSpeed);
        ui_.chkadvisor->setChecked(view.advisorShown);
    }
    reflecting_ = false;

    const std::pair<QLabel*, const std::string*> labels[] = {
        {ui_.lblcurrentplayer, &view.lblcurrentplayer}, {ui_.lblgames, &view.lblgames},
        {ui_.lblwager, &view.lblwager},                 {ui_.lbltotalwon, &view.lbltotalwon},
        {ui_.lblwinlose, &view.lblwinlose},             {ui_.lblreturned, &view.lblreturned},
        {ui_.lblinvested, &view.lblinvested},           {ui_.lbllastbet, &view.lbllastbet},
        {ui_.speedlab, &view.speedlab}};
    for (const auto& [label, text] : labels) label->setText(QString::fromStdString(*text));

    if (view.player1Clears != shownClears_) {
        shownClears_ = view.player1Clears;
        ui_.player1->clear();
    }
    if (view.player1FocusRequests != shownFocusRequests_) {
        shownFocusRequests_ = view.player1FocusRequests;
        ui_.player1->setFocus(Qt::OtherFocusReason);
    }
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.player1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Always consumed, so it never reaches the dialog's default button.
            const std::string text = ui_.player1->text().toStdString();
            Run([&text](OptionsController& c) { c.EnterPlayerName(text); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    if (running_ > 0) {
        // An operation waits in a box of ours: the closing steps run now, the unloading once it
        // has returned (Run closes us again then).
        Run([](OptionsController& c) { c.CloseOptions(); });
        event->ignore();
        return;
    }
    inCloseEvent_ = true;
    Run([](OptionsController& c) { c.CloseOptions(); });
    inCloseEvent_ = false;
    event->accept();
}

void OptionsDialog::reject() {
    Run([](OptionsController& c) { c.CloseOptions(); });
}

// OptionsHost

void OptionsDialog::ShowActiveGame(const std::string& activegame) { host_.ShowActiveGame(activegame); }

void OptionsDialog::MoveMainWindowToOrigin() { host_.MoveMainWindowToOrigin(); }

void OptionsDialog::CloseDialog() {
    // From the close box the closing is already under way; WA_DeleteOnClose unloads us after it.
    if (inCloseEvent_) return;
    closePending_ = true;
    // A box of ours still up ("Already 800 X 600 resolution !!", a save warning) goes with the
    // dialog; the operation waiting on it then returns and Run closes the dialog.
    for (QMessageBox* box : findChildren<QMessageBox*>()) box->reject();
}

void OptionsDialog::RefreshGameWindows() { host_.RefreshGameWindows(); }

void OptionsDialog::SaveFailed(const StoreStatus& status) { host_.WarnSaveFailed(status, this); }

}  // namespace keno
