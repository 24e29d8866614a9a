#include "gridview/RecordsetModel.h"

#include "gridview/DisplayFormat.h"

namespace assi {

RecordsetModel::RecordsetModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordsetModel::setRecordset(const Recordset& recordset) {
    beginResetModel();
    m_recordset = recordset;
    m_recordCount = recordset.recordCount();
    m_captions.clear();
    for (int field = 0; field < recordset.fieldCount(); ++field)
        m_captions.append(recordset.field(field).name);
    endResetModel();
}

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_recordCount;
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_recordset.fieldCount();
}

QModelIndex RecordsetModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || column < 0 || row >= m_recordCount ||
        column >= m_recordset.fieldCount())
        return {};
    return createIndex(row, column);
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == RecordRowRole)
        return index.row();
    const QVariant value = m_recordset.valueAt(index.row(), index.column());
    if (role == Qt::DisplayRole)
        return formatForDisplay(value, QString::fromUtf16(GeneralFormat));
    if (role == ValueRole)
        return value;
    return {};
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_captions.size())
        return {};
    return m_captions.at(section);
}

bool RecordsetModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                                   int role) {
    if (orientation != Qt::Horizontal || (role != Qt::EditRole && role != Qt::DisplayRole) ||
        section < 0 || section >= m_captions.size())
        return false;
    const QString caption = value.toString();
    if (caption == m_captions.at(section))
        return true;
    m_captions[section] = caption;
    Q_EMIT headerDataChanged(orientation, section, section);
    return true;
}

} // namespace assi
