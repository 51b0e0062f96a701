// MainWindow: the program's one lasting window. The keyword box, the
// start button, the mode toolbar and menus, the result list and the
// status bar. Closing it ends the program.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "scrapers/scraper_table.h"

namespace velmora {

class KeywordBox;
class MainToolbar;
class QtUiDispatcher;
class ResultTableModel;
class SearchRunControl;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The outer size, frame included.
    static constexpr QSize kOuterSize{802, 592};
    static constexpr int kProgressPeriodMs = 500;

    explicit MainWindow(const ScraperTable& scrapers, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Search modes.
    void switchSearchMode(std::int32_t code, const QString& name, int buttonIndex, const QString& message);
    void onToolbarClicked(int index);
    void onToolbarDropDown(int index, const QPoint& screenPoint);

    // The search run.
    void toggleSearchRun();
    void updateSearchProgress();
    void finishSearchRun();

    // The double-click on a result row.
    void openResultRow();

    MainToolbar* toolbar() const { return toolbar_; }
    QMenu* onlineModeMenu() const { return onlineModeMenu_; }
    ResultTableModel* resultModel() const { return model_; }
    // The status bar's fields, 0 to 2 from left to right.
    QLabel* statusPart(int index) const { return statusParts_.at(static_cast<std::size_t>(index)); }

    // Runs first on every search worker thread (tests shorten time-outs).
    void setSearchWorkerSetup(std::function<void()> setup);

signals:
    // The window was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class RunWindow;

    void buildMenus();
    void buildControls();
    void buildStatusBar();
    void fitOuterSize();
    void startSearchRun();
    void stopSearchRun();
    void selectMenuMode(int menuIndex);
    void deletePlayerPage();

    MainToolbar* toolbar_ = nullptr;
    QMenu* onlineModeMenu_ = nullptr;
    KeywordBox* keywordBox_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QLabel* modeLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QTableView* resultList_ = nullptr;
    ResultTableModel* model_ = nullptr;
    std::array<QLabel*, 3> statusParts_{};
    QTimer* progressTimer_ = nullptr;

    std::unique_ptr<QtUiDispatcher> dispatcher_;
    std::unique_ptr<RunWindow> runWindow_;
    // Last: it is destroyed first, ending every worker before the window
    // parts they report to go away.
    std::unique_ptr<SearchRunControl> runControl_;
};

}  // namespace velmora
