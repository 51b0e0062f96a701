#include "result_table_model.h"

#include "ui/gbk_qstring.h"

namespace velmora {

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole || index.row() >= rowCount()) return {};
    return gbkToQString(row(index.row()).cell(index.column()));
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case TitleColumn:
            return QStringLiteral("名称");
        case LinkColumn:
            return QStringLiteral("连接");
        case SiteColumn:
            return QStringLiteral("api接口");
        case ExtraColumn:
            return QStringLiteral("简介");
        default:
            return {};
    }
}

void ResultTableModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void ResultTableModel::appendRows(std::vector<ResultRow> rows) {
    if (rows.empty()) return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    endInsertRows();
}

void ResultTableModel::setCell(int row, int column, const Text& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumnCount) return;
    rows_[static_cast<std::size_t>(row)].cell(column) = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

}  // namespace velmora
