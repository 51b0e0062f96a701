// The start button, the progress timer and the end of a search run.
#include "global_objects.h"
#include "keyword_box.h"
#include "main_window.h"
#include "result_table_model.h"
#include "run/search_run_control.h"

namespace velmora {

namespace {
const QString kStartCaption = QStringLiteral("开始挖掘");
const QString kStopCaption = QStringLiteral("停止搜索");
}  // namespace

void MainWindow::toggleSearchRun() {
    if (startButton_->text() == kStartCaption) {
        // Only emptiness is tested: spaces, or the hint text, are a keyword.
        if (keywordBox_->text().isEmpty()) {
            statusLabel_->setText(QStringLiteral("名称不能为空"));
            return;
        }
        startSearchRun();
    } else {
        stopSearchRun();
    }
}

void MainWindow::startSearchRun() {
    startButton_->setText(kStopCaption);
    progressTimer_->start(kProgressPeriodMs);
    countLabel_->clear();
    if (!runControl_->start(currentSearchMode)) {
        // No worker could be started: rather than sit in a run that never
        // ends, go back to idle.
        startButton_->setText(kStartCaption);
        progressTimer_->stop();
    }
}

void MainWindow::stopSearchRun() {
    if (runControl_->stop()) {
        statusLabel_->setText(QStringLiteral("停止成功"));
        startButton_->setText(kStartCaption);
    } else {
        statusLabel_->setText(QStringLiteral("停止失败"));
    }
    // The timer goes on, mirroring the stopped run's status and count.
}

void MainWindow::finishSearchRun() {
    statusLabel_->setText(QStringLiteral("挖掘结束"));
    startButton_->setText(kStartCaption);
    progressTimer_->stop();
    statusPart(0)->setText(QStringLiteral("挖掘结束"));
}

void MainWindow::updateSearchProgress() {
    const int rows = model_->rowCount();
    if (rows == 0) {
        statusPart(0)->setText(QStringLiteral("停止中"));
        countLabel_->clear();
    } else {
        statusPart(0)->setText(statusLabel_->text());
        countLabel_->setText(QStringLiteral("挖掘到%1条信息").arg(rows));
    }
}

}  // namespace velmora
