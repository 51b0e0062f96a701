// A real main window with every site host pointed at the fixture server.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <memory>

#include "keyword_box.h"
#include "main_toolbar.h"
#include "main_window.h"
#include "result_table_model.h"
#include "scrapers/scraper_table.h"
#include "support/fixture_environment.h"
#include "widget_helpers.h"

namespace velmora::test {

// Request targets of the fixture pages, by site.
inline const std::string kPpsPath = "/search?q=";               // site 2
inline const std::string kShuangshiPath = "/sso.asp?keyword=";  // site 1
inline const std::string kTudouPath = "/nisearch/";             // site 5
inline const std::string kQiyiPath = "/so/q_";                  // site 4

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // Serves `file` of tests/data/app for targets starting with `prefix`.
    void servePage(const std::string& prefix, const std::string& file,
                   std::chrono::milliseconds delay = std::chrono::milliseconds(0));

    template <typename T>
    T* control(const char16_t* name) const {
        T* found = window_->findChild<T*>(QString::fromUtf16(name));
        EXPECT_NE(found, nullptr) << QString::fromUtf16(name).toStdString();
        return found;
    }
    QPushButton* startButton() const { return control<QPushButton>(u"按钮1"); }
    KeywordBox* keywordBox() const { return control<KeywordBox>(u"编辑框1"); }
    QLabel* statusLabel() const { return control<QLabel>(u"动态标签"); }
    QLabel* countLabel() const { return control<QLabel>(u"计数标签"); }
    QTableView* resultList() const { return control<QTableView>(u"超级列表框1"); }
    QString statusPart(int i) const { return window_->statusPart(i)->text(); }
    bool idle() const { return startButton()->text() == QStringLiteral("开始挖掘"); }
    std::vector<std::string> requestTargets() const;
    // The rows of the list as UTF-8 cells.
    std::vector<std::vector<std::string>> rowsUtf8() const;

    FixtureServer& server_;
    ScraperTable scrapers_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace velmora::test
