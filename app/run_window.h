// The main window as the search run sees it. Every call arrives on the
// user-interface thread, and only for the run that is current.
#pragma once

#include "ui/gbk_qstring.h"
#include "keyword_box.h"
#include "main_window.h"
#include "result_table_model.h"
#include "run/search_window.h"

namespace velmora {

class MainWindow::RunWindow final : public SearchWindow {
public:
    explicit RunWindow(MainWindow& window) : window_(window) {}

    void clearRows() override { window_.model_->clear(); }
    void appendRows(std::vector<ResultRow> rows) override { window_.model_->appendRows(std::move(rows)); }
    void setCell(int row, int column, const Text& text) override {
        window_.model_->setCell(row, column, text);
    }
    void showStatus(const Text& text) override { window_.statusLabel_->setText(gbkToQString(text)); }
    Text keyword() override { return qStringToGbk(window_.keywordBox_->text()); }
    void finishRun() override { window_.finishSearchRun(); }

private:
    MainWindow& window_;
};

}  // namespace velmora
