#pragma once

#include "core/Recordset.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace assi {

/// A recordset as a read-only table: one row per record, in the
/// recordset's order, one column per field.
///
/// Values only: DisplayRole gives a value's text in the "General" display
/// format (see formatForDisplay), ValueRole the value itself (null as an
/// invalid QVariant), RecordRowRole the record's row. A column's heading is its field's name until
/// setHeaderData() gives it a caption.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Role {
        /// The field's value as the recordset holds it.
        ValueRole = Qt::UserRole + 1,
        /// The record's row in the recordset, from 0: what a view's row stands for.
        RecordRowRole,
    };

    explicit RecordsetModel(QObject* parent = nullptr);

    /// Shows `recordset` (a cursor over its rows is kept until the next
    /// call), with the field names as headings: one model reset.
    void setRecordset(const Recordset& recordset);
    const Recordset& recordset() const { return m_recordset; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Asked for every row at each layout of a big board: answered here
    // rather than through the base's checks, which count rows and columns
    // again through virtual calls.
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

private:
    Recordset m_recordset;
    int m_recordCount = 0;
    QStringList m_captions;
};

} // namespace assi
