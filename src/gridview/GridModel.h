#pragma once

#include "GridCellLook.h"
#include "GridColumn.h"
#include "GridFormatRule.h"
#include "Recordset.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QStringList>
#include <memory>
#include <vector>

namespace assi {

class GridHost;
class GridStyles;

/// The rows a grid shows: the bound recordset's records, one column per
/// field, and, when grouped, group header rows above them.
///
/// Ungrouped, the records are the top-level rows in recordset order. Grouped,
/// the top-level rows are group headers, one per distinct value of the first
/// group column (texts compared, a null value being a group of its own), in
/// the order each value first appears in the recordset; each holds the next
/// level's groups or, at the last level, its records in recordset order. A
/// value is never split over two groups; a recordset sorted by the grouped
/// column therefore gives its groups in that order, in the database's own
/// collation.
///
/// Looks come from the grid's styles at the moment they are asked for (see
/// Role), so a style change needs a repaint, not a reset. Binding a new
/// recordset or regrouping resets the model once.
class GridModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Role {
        /// GridCellLook: the cell's column style, format rules laid over it;
        /// for a group header row, the "GroupHeader" style; as header data,
        /// the "Heading" style.
        LookRole = Qt::UserRole + 1,
        /// GridCellLook of a selected row while the grid has the focus
        /// ("Selection" laid over LookRole).
        SelectedLookRole,
        /// GridCellLook of a selected row while it has not ("InactiveSelection").
        InactiveSelectedLookRole,
        /// bool: the row is a group header.
        GroupHeaderRole,
        /// int: the recordset row the display row shows, -1 on a group header.
        RecordRowRole,
    };

    GridModel(GridStyles& styles, GridHost* host = nullptr, QObject* parent = nullptr);
    ~GridModel() override;

    /// Shows `recordset` (a cursor over its rows is kept until the next
    /// binding), with new columns in their default settings, grouped by the
    /// keys of `groupKeys` that name one of its fields: one model reset.
    void setRecordset(const Recordset& recordset, const QStringList& groupKeys = {});
    const Recordset& recordset() const { return m_recordset; }
    bool isBound() const { return m_bound; }

    int gridColumnCount() const { return int(m_columns.size()); }
    GridColumn& gridColumn(int index) { return *m_columns.at(size_t(index)); }
    const GridColumn& gridColumn(int index) const { return *m_columns.at(size_t(index)); }
    /// The column's index, or -1. Keys match case-insensitively.
    int columnIndex(const QString& key) const;

    QStringList groupKeys() const { return m_groupKeys; }
    /// Groups by the columns of `keys`, outermost first (one model reset, none
    /// when nothing changes). Throws BoardError for a key with no column.
    void setGroupKeys(const QStringList& keys);

    /// Adds a rule, or replaces the one already there with the same style,
    /// column and value.
    void addFormatRule(const GridFormatRule& rule);
    void clearFormatRules();
    const QList<GridFormatRule>& formatRules() const { return m_rules; }

    bool isGroupHeader(const QModelIndex& index) const;
    /// The recordset row of `index`, or -1 for a group header.
    int recordRow(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct GroupNode {
        int parent = -1;
        int row = 0;   // position under its parent
        int level = 0; // index into the group keys; -1 for the root
        QVariant value;
        std::vector<int> groups;  // child group nodes, or
        std::vector<int> records; // at the last level, recordset rows
    };

    void createPlaceholderColumns();
    void createColumns();
    QStringList canonicalKeys(const QStringList& keys, bool throwOnUnknown) const;
    void buildGroups();
    void splitIntoGroups(int node, int level, const std::vector<int>& fields);
    int childCount(int node) const;
    int groupNodeOf(const QModelIndex& index) const;
    QVariant groupData(int node, const QModelIndex& index, int role) const;
    QVariant recordData(int record, const QModelIndex& index, int role) const;
    GridCellLook recordLook(int record, int column) const;
    QVariant lookRoleData(const GridCellLook& look, int role) const;

    GridStyles& m_styles;
    GridHost* m_host;
    Recordset m_recordset;
    int m_recordCount = 0;
    bool m_bound = false;
    std::vector<std::unique_ptr<GridColumn>> m_columns;
    QHash<QString, int> m_columnByLowerKey;
    QStringList m_groupKeys;
    std::vector<GroupNode> m_nodes; // node 0 is the root
    QList<GridFormatRule> m_rules;
};

} // namespace assi
