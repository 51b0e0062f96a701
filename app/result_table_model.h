// The rows of the result list 超级列表框1: GBK cells, shown as QStrings.
// Rows are only appended, in batches, and emptied all at once.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "scrapers/result_list.h"

namespace velmora {

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 4;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const ResultRow& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    void clear();
    void appendRows(std::vector<ResultRow> rows);
    // Out-of-range rows and columns are ignored.
    void setCell(int row, int column, const Text& text);

private:
    std::vector<ResultRow> rows_;
};

}  // namespace velmora
