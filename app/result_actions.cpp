// The double-click on a row of the result list.
#include "ui/browser.h"
#include "film_row_action.h"
#include "ui/gbk_qstring.h"
#include "main_window.h"
#include "result_table_model.h"

namespace velmora {

void MainWindow::openResultRow() {
    const QModelIndexList selected = resultList_->selectionModel()->selectedRows();
    if (selected.isEmpty()) return;
    const ResultRow& row = model_->row(selected.first().row());
    // Rows of the two film sites belong to the player-page window; every
    // other row goes to the browser.
    FilmSite site;
    if (filmSiteForLabel(row.site, &site)) {
        openFilmRow(site, row.link);
        return;
    }
    openInBrowser(gbkToQString(row.link));
}

}  // namespace velmora
