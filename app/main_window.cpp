#include "main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>

#include "ui/browser.h"
#include "global_objects.h"
#include "keyword_box.h"
#include "main_toolbar.h"
#include "playerpage/player_page_builder.h"
#include "qt_ui_dispatcher.h"
#include "result_table_model.h"
#include "run/search_run_control.h"
#include "run_window.h"
#include "scrapers/search_modes.h"

namespace velmora {

MainWindow::MainWindow(const ScraperTable& scrapers, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Velmora1.6"));
    buildMenus();
    buildControls();
    buildStatusBar();

    progressTimer_ = new QTimer(this);
    progressTimer_->setObjectName(QStringLiteral("时钟1"));
    progressTimer_->setInterval(kProgressPeriodMs);
    connect(progressTimer_, &QTimer::timeout, this, &MainWindow::updateSearchProgress);

    dispatcher_ = std::make_unique<QtUiDispatcher>();
    runWindow_ = std::make_unique<RunWindow>(*this);
    runControl_ = std::make_unique<SearchRunControl>(scrapers, *runWindow_, *dispatcher_);

    // Without a window manager there is no frame, so this is already the
    // outer size; under one, fitOuterSize() takes the frame off once known.
    setFixedSize(kOuterSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kOuterSize.width() / 2, kOuterSize.height() / 2));
    }

    currentSearchMode = OnlinePlay;
}

MainWindow::~MainWindow() {
    runControl_.reset();
}

void MainWindow::buildMenus() {
    QMenu* optionsMenu = menuBar()->addMenu(QStringLiteral("挖掘选项(&A)"));
    onlineModeMenu_ = optionsMenu->addMenu(QStringLiteral("在线电影挖掘"));
    const QString names[] = {QStringLiteral("在线播放"), QStringLiteral("快播资源"),
                             QStringLiteral("百度影音")};
    for (int i = 0; i < 3; ++i) {
        connect(onlineModeMenu_->addAction(names[i]), &QAction::triggered, this,
                [this, i] { selectMenuMode(i); });
    }
    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    connect(helpMenu->addAction(QStringLiteral("意见反馈")), &QAction::triggered, this,
            [] { openInBrowser(feedbackPageAddress()); });
    connect(helpMenu->addAction(QStringLiteral("官方网站")), &QAction::triggered, this,
            [] { openInBrowser(homePageAddress()); });
}

void MainWindow::buildControls() {
    auto* canvas = new QWidget(this);
    setCentralWidget(canvas);

    toolbar_ = new MainToolbar(onlineModeMenu_, canvas);
    toolbar_->setGeometry(0, 0, 794, 48);
    connect(toolbar_, &MainToolbar::itemClicked, this, &MainWindow::onToolbarClicked);
    connect(toolbar_, &MainToolbar::dropDownClicked, this, &MainWindow::onToolbarDropDown);

    auto* keywordCaption = new QLabel(QStringLiteral("视频名称"), canvas);
    keywordCaption->setObjectName(QStringLiteral("标签1"));
    keywordCaption->setGeometry(90, 56, 56, 32);

    keywordBox_ = new KeywordBox(canvas);
    keywordBox_->setGeometry(160, 58, 432, 24);
    connect(keywordBox_, &KeywordBox::enterPressed, this, &MainWindow::toggleSearchRun);

    startButton_ = new QPushButton(QStringLiteral("开始挖掘"), canvas);
    startButton_->setObjectName(QStringLiteral("按钮1"));
    startButton_->setGeometry(611, 56, 73, 27);
    // Enter in the keyword box is handled there; the button must not take it too.
    startButton_->setAutoDefault(false);
    connect(startButton_, &QPushButton::clicked, this, &MainWindow::toggleSearchRun);

    auto coloured = [canvas](const char16_t* name, QRect place, QColor colour) {
        auto* label = new QLabel(canvas);
        label->setObjectName(QString::fromUtf16(name));
        label->setGeometry(place);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
        return label;
    };
    modeLabel_ = coloured(u"标签2", QRect(704, 58, 80, 24), QColor(88, 48, 224));
    modeLabel_->setText(QStringLiteral("在线播放"));
    statusLabel_ = coloured(u"动态标签", QRect(10, 92, 208, 24), Qt::red);
    countLabel_ = coloured(u"计数标签", QRect(578, 92, 208, 24), Qt::red);

    model_ = new ResultTableModel(this);
    resultList_ = new QTableView(canvas);
    resultList_->setObjectName(QStringLiteral("超级列表框1"));
    resultList_->setGeometry(7, 118, 780, 400);
    resultList_->setModel(model_);
    resultList_->setShowGrid(true);
    resultList_->setSortingEnabled(false);
    resultList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultList_->setSelectionMode(QAbstractItemView::SingleSelection);
    resultList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList_->setWordWrap(false);
    resultList_->verticalHeader()->hide();
    // Fixed row heights keep appending thousands of rows cheap.
    resultList_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    resultList_->verticalHeader()->setDefaultSectionSize(resultList_->fontMetrics().height() + 4);
    resultList_->horizontalHeader()->setMinimumSectionSize(0);
    resultList_->horizontalHeader()->setSectionsClickable(false);
    resultList_->horizontalHeader()->setHighlightSections(false);
    const int widths[] = {300, 0, 100, 340};
    for (int column = 0; column < ResultTableModel::kColumnCount; ++column)
        resultList_->setColumnWidth(column, widths[column]);
    // The selected row stays marked, in the same colours, when the list
    // loses the focus.
    QPalette palette = resultList_->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    resultList_->setPalette(palette);
    connect(resultList_, &QTableView::doubleClicked, this, &MainWindow::openResultRow);
}

void MainWindow::buildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("状态条1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(20);
    const QString texts[] = {QStringLiteral("播放方法:双击列表"), QStringLiteral("挖掘模式:在线播放"),
                             QStringLiteral("Velmora 开源版")};
    for (int i = 0; i < 3; ++i) {
        auto* part = new QLabel(texts[i], bar);
        part->setObjectName(QStringLiteral("状态条1.part%1").arg(i));
        if (i == 0) part->setFixedWidth(520);
        if (i == 1) part->setFixedWidth(150);
        bar->addWidget(part, i == 2 ? 1 : 0);
        statusParts_[static_cast<std::size_t>(i)] = part;
    }
    setStatusBar(bar);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window manager reports the frame only after the window is mapped.
    QTimer::singleShot(0, this, &MainWindow::fitOuterSize);
    QTimer::singleShot(250, this, &MainWindow::fitOuterSize);
}

void MainWindow::fitOuterSize() {
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client = kOuterSize - frame;
    if (client == size()) return;
    setFixedSize(client);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kOuterSize.width() / 2, kOuterSize.height() / 2));
    }
}

void MainWindow::setSearchWorkerSetup(std::function<void()> setup) {
    runControl_->setWorkerSetup(std::move(setup));
}

void MainWindow::deletePlayerPage() {
    removePlayerPage();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    deletePlayerPage();
    // A run still going ends here: its worker is told to stop, its fetch is
    // aborted and nothing it does reaches the window any more.
    runControl_->shutdown();
    event->accept();
    emit closed();
}

}  // namespace velmora
