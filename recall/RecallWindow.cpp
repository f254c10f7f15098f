#include "recall/RecallWindow.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "gamewindow/PacedRunner.h"
#include "history/GameHistory.h"
#include "recall/RecallBoard.h"
#include "widgets/ImageButton.h"
#include "widgets/LitLabel.h"

namespace keno {

namespace {

// The screen's look at a scale of its design size: the painted board scales by itself, the
// list's text and rows with this.
QString Look(qreal k) {
    const auto px = [k](int pixels) { return QString::number(qRound(pixels * k)); };
    return QStringLiteral(R"(
QWidget#lastgames { background: #0a0c1a; }
QLabel#lastgamesstatus { color: #96a0c4; font-family: "DejaVu Sans"; font-size: %1px; }
QTableWidget {
    background: #05060f; alternate-background-color: #0b0f26; color: #f6f6fa;
    gridline-color: #1c2450; border: 2px solid #00beff; border-radius: 6px;
    font-family: "DejaVu Sans"; font-size: %2px;
    selection-background-color: #6a4a00; selection-color: #ffe9a8;
}
QHeaderView::section {
    background: #14204a; color: #60d6ff; font-family: "DejaVu Sans"; font-weight: bold; font-size: %3px;
    border: none; border-right: 1px solid #1c2450; padding: 3px;
}
QTableCornerButton::section { background: #14204a; border: none; }
)")
        .arg(px(14), px(13), px(12));
}

constexpr int kRowPixels = 21;
constexpr int kHeaderPixels = 30;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString TimeText(std::int64_t timeMs) {
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(timeMs).toLocalTime();
    if (when.date() == QDate::currentDate()) return when.toString(QStringLiteral("HH:mm:ss"));
    return when.toString(QStringLiteral("d MMM HH:mm"));
}

}  // namespace

RecallWindow::RecallWindow(GameHistory& history, QWidget* parent)
    : QWidget(parent, Qt::Window),
      history_(history),
      heading_(new LitLabel(QStringLiteral("LAST GAMES"), QColor(255, 120, 225))),
      status_(new QLabel),
      list_(new QTableWidget(0, 6)),
      board_(new RecallBoard),
      replayButton_(new ImageButton(QStringLiteral("REPLAY"), QColor(20, 200, 60))),
      returnToGame_(new ImageButton(QStringLiteral("Return to Game"), QColor(230, 170, 30))) {
    setObjectName(QStringLiteral("lastgames"));
    setWindowTitle(QStringLiteral("Last games"));
    setAttribute(Qt::WA_DeleteOnClose);

    heading_->setObjectName(QStringLiteral("lastgamesheading"));
    heading_->setAlignment(Qt::AlignCenter);
    status_->setObjectName(QStringLiteral("lastgamesstatus"));
    status_->setAlignment(Qt::AlignCenter);

    list_->setObjectName(QStringLiteral("lastgameslist"));
    list_->setAccessibleName(QStringLiteral("Last games"));
    list_->setHorizontalHeaderLabels({QStringLiteral("Time"), QStringLiteral("Game"), QStringLiteral("Ticket"),
                                      QStringLiteral("Hits"), QStringLiteral("Bet"), QStringLiteral("Win")});
    list_->verticalHeader()->hide();
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAlternatingRowColors(true);
    list_->setShowGrid(false);
    list_->setWordWrap(false);
    QHeaderView* header = list_->horizontalHeader();
    header->setHighlightSections(false);
    for (int column : {0, 1, 3, 4, 5}) header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    connect(list_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!filling_ && row >= 0) Choose(row);
    });
    connect(list_, &QTableWidget::cellActivated, this, [this](int row) { Choose(row); });

    board_->setMinimumHeight(RecallBoard::kHeight);
    replayButton_->setObjectName(QStringLiteral("lastgamesreplay"));
    returnToGame_->setObjectName(QStringLiteral("lastgamesreturn"));
    replayButton_->setEnabled(false);
    connect(replayButton_, &ImageButton::clicked, this, [this] { Choose(list_->currentRow()); });
    connect(returnToGame_, &ImageButton::clicked, this, &RecallWindow::close);

    runner_ = new PacedRunner([this] { return steps_.Resume(); }, this);
    connect(runner_, &PacedRunner::stepped, board_, &RecallBoard::Changed);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(replayButton_);
    buttons->addSpacing(24);
    buttons->addWidget(returnToGame_);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);
    column->addWidget(heading_);
    column->addWidget(status_);
    column->addWidget(list_);
    column->addWidget(board_, 1);
    column->addLayout(buttons);
    ApplyScale(1);
    resize(800, 580);
}

void RecallWindow::ApplyScale(qreal scale) {
    // In steps, so that a drag of the window's edge does not restyle it at every pixel.
    scale = std::round(scale * 8) / 8;
    if (scale == scale_) return;
    scale_ = scale;
    setStyleSheet(Look(scale));
    heading_->setFixedHeight(qRound(34 * scale));
    list_->verticalHeader()->setDefaultSectionSize(qRound(kRowPixels * scale));
    list_->setFixedHeight(qRound((kRowPixels * kGames + kHeaderPixels) * scale));
    for (ImageButton* button : {replayButton_, returnToGame_}) button->setFixedSize(qRound(190 * scale), qRound(44 * scale));
}

void RecallWindow::resizeEvent(QResizeEvent* event) {
    ApplyScale(std::clamp(std::min(width() / 800.0, height() / 580.0), 1.0, 4.0));
    QWidget::resizeEvent(event);
}

RecallWindow::~RecallWindow() { runner_->Cancel(); }

void RecallWindow::Load(int slot, const QString& player) {
    if (slot != slot_) {
        // Another player: nothing of the last one stays on the screen.
        runner_->Cancel();
        steps_ = Steps();
        replay_.reset();
        board_->SetReplay(nullptr);
        games_.clear();
        list_->setRowCount(0);
        replayButton_->setEnabled(false);
    }
    slot_ = slot;
    heading_->setText(player.isEmpty() ? QStringLiteral("LAST GAMES") : QStringLiteral("LAST GAMES OF ") + player.toUpper());
    loading_ = true;
    if (games_.empty()) {
        status_->setText(QStringLiteral("Reading the history..."));
        status_->show();
    }
    history_.Ask(
        this, [slot](HistoryStore& store) { return store.LastGames(slot, kGames); },
        [this, slot](std::vector<GameRecord> games) { ShowGames(slot, std::move(games)); });
}

void RecallWindow::ShowGames(int slot, std::vector<GameRecord> games) {
    if (slot != slot_) return;  // an answer for a player no longer shown
    loading_ = false;
    // The game being replayed stays on the board while the list grows under it.
    const std::int64_t replaying = replay_ ? replay_->Record().seq : 0;
    games_ = std::move(games);
    filling_ = true;
    list_->setRowCount(static_cast<int>(games_.size()));
    int current = -1;
    for (int row = 0; row < static_cast<int>(games_.size()); ++row) {
        const GameRecord& record = games_[static_cast<std::size_t>(row)];
        const SettledGame& g = record.game;
        const QString cells[] = {TimeText(record.timeMs), Q(recalltext::GameName(g.game)), Q(recalltext::Ticket(g.ticket)),
                                 Q(recalltext::Hits(g)), Q(recalltext::Bet(g)), Q(recalltext::Win(g))};
        for (int column = 0; column < 6; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column >= 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (column == 5 && g.win > 0) item->setForeground(QColor(70, 255, 110));
            list_->setItem(row, column, item);
        }
        if (record.seq == replaying) current = row;
    }
    if (current >= 0) list_->setCurrentCell(current, 0);
    else list_->clearSelection();
    filling_ = false;
    status_->setText(games_.empty() ? QStringLiteral("No games of this player yet.") : QString());
    status_->setVisible(games_.empty());
    replayButton_->setEnabled(!games_.empty());
    if (!replay_) board_->SetReplay(nullptr);
}

void RecallWindow::Choose(int row) {
    if (row < 0 || row >= static_cast<int>(games_.size())) return;
    runner_->Cancel();
    steps_ = Steps();
    replay_ = std::make_unique<RecallReplay>(games_[static_cast<std::size_t>(row)]);
    board_->SetReplay(replay_.get());
    if (list_->currentRow() != row) {
        filling_ = true;
        list_->setCurrentCell(row, 0);
        filling_ = false;
    }
    steps_ = replay_->Run();
    runner_->Kick();
}

void RecallWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace keno
