// The catalogue side of the DJ window: category tree, list pages, paging.
#include <QLabel>
#include <QTreeWidget>

#include "dj/dj_catalogue.h"
#include "ui/gbk_qstring.h"
#include "dj/dj_window.h"

namespace velmora {

namespace {
int readNumber(const QLabel* label) {
    return readLeadingNumber(qStringToGbk(label->text()));
}
}  // namespace

void DjWindow::loadDjPage(int page) {
    std::optional<std::vector<DjTrackRow>> rows;
    const Text address = djListPageAddress(globals_.currentCategoryPrefix, page);
    fetchWhileResponsive([&] { rows = loadDjListPage(address, globals_.djRegex); });
    if (!rows) return;  // pattern not assignable: the list keeps its rows

    // All rows were cut before the list is touched: clear and refill at once.
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows->size()));
    for (const DjTrackRow& row : *rows) {
        items.append(new QTreeWidgetItem(QStringList{gbkToQString(row.name), gbkToQString(row.author),
                                                     gbkToQString(row.dateAdded), gbkToQString(row.link)}));
    }
    trackList_->clear();
    trackList_->addTopLevelItems(items);
}

// While a page or a track is being fetched, a second load is dropped: the
// first one would otherwise finish last and leave the list showing a page
// other than the labels name.

void DjWindow::categoryDoubleClicked(QTreeWidgetItem* item) {
    if (isBusy() || !item) return;
    const QString text = item->text(0);
    const int itemValue = item->data(0, Qt::UserRole).toInt();
    if (const DjCategory* category = findDjCategory(qStringToGbk(text))) {
        globals_.currentCategoryPrefix = djCategoryPrefix(*category);
        loadDjPage(1);
    }
    categoryLabel_->setText(text);
    totalPagesLabel_->setText(QString::number(itemValue));
    pageLabel_->setText(QStringLiteral("1"));
}

void DjWindow::firstPageClicked() {
    if (isBusy() || !categoryChosen()) return;
    pageLabel_->setText(QStringLiteral("1"));
    loadDjPage(1);
}

void DjWindow::previousPageClicked() {
    if (isBusy() || !categoryChosen()) return;
    const int current = readNumber(pageLabel_);
    if (current <= 1) return;
    pageLabel_->setText(QString::number(current - 1));
    loadDjPage(current - 1);
}

void DjWindow::nextPageClicked() {
    if (isBusy() || !categoryChosen()) return;
    const int total = readNumber(totalPagesLabel_);
    const int current = readNumber(pageLabel_);
    if (current >= total) return;
    pageLabel_->setText(QString::number(current + 1));
    loadDjPage(current + 1);
}

void DjWindow::lastPageClicked() {
    if (isBusy() || !categoryChosen()) return;
    pageLabel_->setText(totalPagesLabel_->text());
    loadDjPage(readNumber(totalPagesLabel_));
}

}  // namespace velmora
