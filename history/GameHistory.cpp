#include "history/GameHistory.h"

#include <QMessageBox>
#include <QThread>

#include <cstdio>

namespace keno {

GameHistory::GameHistory(HistoryStore::Options options, QObject* parent) : QObject(parent) {
    // One reader at a time (they take turns over the store anyway), below the game's own thread.
    readers_.setMaxThreadCount(1);
    readers_.setThreadPriority(QThread::LowPriority);
    // The writing thread finds problems; the warning is shown from this object's thread.
    writer_ = std::make_unique<HistoryWriter>(std::move(options), [this] {
        QMetaObject::invokeMethod(this, &GameHistory::ShowProblems, Qt::QueuedConnection);
    });
}

GameHistory::~GameHistory() {
    // Queries still asked of the store finish first; their answers go nowhere.
    readers_.clear();
    readers_.waitForDone();
    // Writes the games still waiting before anything they report to goes away.
    writer_.reset();
}

std::vector<GameRecord> GameHistory::LastGames(int slot, int count) {
    return writer_->Read([&](HistoryStore& store) { return store.LastGames(slot, count); });
}

std::vector<std::int32_t> GameHistory::CreditSeries(int slot, int count) {
    return writer_->Read([&](HistoryStore& store) { return store.CreditSeries(slot, count); });
}

HitCounts GameHistory::HitsBySpots(int slot) {
    return writer_->Read([&](HistoryStore& store) { return store.HitsBySpots(slot); });
}

NumberCounts GameHistory::DrawCounts(int slot) {
    return writer_->Read([&](HistoryStore& store) { return store.DrawCounts(slot); });
}

bool GameHistory::DeleteSlot(int slot) {
    return writer_->Read([&](HistoryStore& store) { return store.DeleteSlot(slot); });
}

QString GameHistory::WarningText(const HistoryProblem& problem) {
    const QString file = QString::fromStdString(problem.path.empty() ? std::string("(no file)") : problem.path);
    if (problem.kind == HistoryProblem::Kind::Restarted) {
        return QStringLiteral("The game history file was damaged.\n\nIt was moved aside to %1 and a new history "
                              "was started. Play goes on.")
            .arg(QString::fromStdString(problem.movedTo));
    }
    return QStringLiteral("The game history cannot be kept.\n\nFile: %1\nReason: %2\n\nPlay goes on; the games "
                          "from now on are not recorded.")
        .arg(file, QString::fromStdString(problem.reason));
}

void GameHistory::ShowProblems() {
    while (const auto problem = writer_->TakeProblem()) {
        const QString text = WarningText(*problem);
        QWidget* parent = warningParent_ ? warningParent_() : nullptr;
        if (!parent) {
            std::fprintf(stderr, "keno22: %s\n", QString(text).replace(QStringLiteral("\n\n"), QStringLiteral(" ")).toLocal8Bit().constData());
        } else {
            auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("K E N O 22"), text, QMessageBox::Ok, parent);
            box->setObjectName(QStringLiteral("historyproblem"));
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setWindowModality(Qt::NonModal);
            box->show();
            warning_ = box;
        }
        emit warned(text);
    }
}

}  // namespace keno
