#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace assi::bench {

// Rows of values as a query gave them, shown as they are: the table model a
// Qt programmer writes first.
class BareTableModel : public QAbstractTableModel {
public:
    void setHeaders(const QStringList& headers) { m_headers = headers; }
    void appendRow(QVariantList values) { m_rows.push_back(std::move(values)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_headers;
    std::vector<QVariantList> m_rows;
};

} // namespace assi::bench
