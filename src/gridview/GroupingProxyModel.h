#pragma once

#include <QAbstractProxyModel>
#include <QList>
#include <QPointer>
#include <vector>

namespace assi {

/// This proxy shows a table's rows under one header row per distinct value
/// of its group columns, nested in the order the columns are given.
///
/// A group's value is the source's data in groupRole() (texts compared, a
/// null value being a group of its own); groups come in the order their
/// value first appears in the source, and a value is never split over two
/// groups. Records keep the source's order inside their group. A header
/// row shows, in column 0, what the source shows for its value (any role);
/// its other columns are empty. Ungrouped, the proxy is the source, flat.
///
/// Any change to the source's rows or columns regroups with one reset.
class GroupingProxyModel : public QAbstractProxyModel {
    Q_OBJECT

public:
    enum Role {
        /// int, on a header row: the source column its group is formed by;
        /// invalid on a record row.
        GroupColumnRole = Qt::UserRole + 0x100,
    };

    explicit GroupingProxyModel(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* sourceModel) override;

    QList<int> groupColumns() const { return m_groupColumns; }
    /// Groups by these source columns, outermost first: one reset, none
    /// when nothing changes. Set while the source resets, they take effect
    /// with that reset.
    void setGroupColumns(const QList<int>& sourceColumns);
    int groupRole() const { return m_groupRole; }
    void setGroupRole(int role);

    bool isGroupHeader(const QModelIndex& index) const;

    QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QPointer<QAbstractItemModel> m_source;
    struct Node {
        int parent = -1;
        int row = 0;              // position under its parent
        int level = -1;           // index into the group columns; -1 for the root
        std::vector<int> groups;  // child group nodes, or
        std::vector<int> records; // at the last level, source rows
    };

    void beginSourceChange();
    void endSourceChange();
    void regroup();
    void rebuild();
    void splitIntoGroups(int node, int level);
    int groupNodeOf(const QModelIndex& index) const;
    int firstRecordOf(int node) const;
    void forwardDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                            const QList<int>& roles);

    QList<int> m_groupColumns;
    int m_groupRole = Qt::DisplayRole;
    std::vector<Node> m_nodes; // node 0 is the root
    std::vector<int> m_parentOfRecord;
    std::vector<int> m_rowOfRecord;
    bool m_sourceChanging = false;
};

} // namespace assi
