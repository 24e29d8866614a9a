#include "gridview/GroupingProxyModel.h"

#include <QHash>
#include <numeric>

namespace assi {

GroupingProxyModel::GroupingProxyModel(QObject* parent) : QAbstractProxyModel(parent) {
    rebuild();
}

void GroupingProxyModel::setSourceModel(QAbstractItemModel* sourceModel) {
    beginResetModel();
    if (QAbstractItemModel* old = this->sourceModel())
        disconnect(old, nullptr, this, nullptr);
    QAbstractProxyModel::setSourceModel(sourceModel);
    // Kept at hand: the base's own getter goes through a bindable property,
    // which costs more than the rest of a lookup when a layout asks for
    // every row.
    m_source = sourceModel;
    if (sourceModel) {
        // Any change to the rows or columns may move records between groups:
        // regrouping from scratch is simpler than patching, and the grid's
        // source only ever resets.
        using M = QAbstractItemModel;
        const auto begin = &GroupingProxyModel::beginSourceChange;
        const auto end = &GroupingProxyModel::endSourceChange;
        connect(sourceModel, &M::modelAboutToBeReset, this, begin);
        connect(sourceModel, &M::modelReset, this, end);
        connect(sourceModel, &M::layoutAboutToBeChanged, this, begin);
        connect(sourceModel, &M::layoutChanged, this, end);
        connect(sourceModel, &M::rowsAboutToBeInserted, this, begin);
        connect(sourceModel, &M::rowsInserted, this, end);
        connect(sourceModel, &M::rowsAboutToBeRemoved, this, begin);
        connect(sourceModel, &M::rowsRemoved, this, end);
        connect(sourceModel, &M::rowsAboutToBeMoved, this, begin);
        connect(sourceModel, &M::rowsMoved, this, end);
        connect(sourceModel, &M::columnsAboutToBeInserted, this, begin);
        connect(sourceModel, &M::columnsInserted, this, end);
        connect(sourceModel, &M::columnsAboutToBeRemoved, this, begin);
        connect(sourceModel, &M::columnsRemoved, this, end);
        connect(sourceModel, &M::dataChanged, this, &GroupingProxyModel::forwardDataChanged);
        connect(sourceModel, &M::headerDataChanged, this, &GroupingProxyModel::headerDataChanged);
    }
    rebuild();
    endResetModel();
}

void GroupingProxyModel::beginSourceChange() {
    if (m_sourceChanging)
        return;
    m_sourceChanging = true;
    beginResetModel();
}

void GroupingProxyModel::endSourceChange() {
    if (!m_sourceChanging)
        return;
    rebuild();
    m_sourceChanging = false;
    endResetModel();
}

void GroupingProxyModel::setGroupColumns(const QList<int>& sourceColumns) {
    if (sourceColumns == m_groupColumns)
        return;
    m_groupColumns = sourceColumns;
    if (!m_sourceChanging)
        regroup();
}

void GroupingProxyModel::setGroupRole(int role) {
    if (role == m_groupRole)
        return;
    m_groupRole = role;
    if (!m_groupColumns.isEmpty() && !m_sourceChanging)
        regroup();
}

void GroupingProxyModel::regroup() {
    beginResetModel();
    rebuild();
    endResetModel();
}

void GroupingProxyModel::rebuild() {
    m_nodes.clear();
    m_nodes.push_back(Node{});
    const int records = m_source ? m_source->rowCount() : 0;
    m_nodes[0].records.resize(size_t(records));
    std::iota(m_nodes[0].records.begin(), m_nodes[0].records.end(), 0);
    splitIntoGroups(0, 0);

    m_parentOfRecord.assign(size_t(records), 0);
    m_rowOfRecord.assign(size_t(records), 0);
    for (size_t node = 0; node < m_nodes.size(); ++node) {
        const std::vector<int>& shown = m_nodes[node].records;
        for (size_t row = 0; row < shown.size(); ++row) {
            m_parentOfRecord[size_t(shown[row])] = int(node);
            m_rowOfRecord[size_t(shown[row])] = int(row);
        }
    }
}

void GroupingProxyModel::splitIntoGroups(int node, int level) {
    if (level >= m_groupColumns.size())
        return;
    const int column = m_groupColumns.at(level);
    if (!m_source || column < 0 || column >= m_source->columnCount())
        return splitIntoGroups(node, level + 1);
    const std::vector<int> records = std::move(m_nodes[size_t(node)].records);
    m_nodes[size_t(node)].records.clear();
    // Groups keyed by (is null, text), in the order their values first appear.
    QHash<std::pair<bool, QString>, int> groupOf;
    // Records of one group mostly come one after another: the last one's
    // group is tried before any look-up.
    std::pair<bool, QString> lastKey;
    int lastChild = -1;
    for (const int record : records) {
        const QVariant value = m_source->index(record, column).data(m_groupRole);
        std::pair<bool, QString> key{value.isNull(), value.toString()};
        int child = lastChild >= 0 && key == lastKey ? lastChild : groupOf.value(key, -1);
        if (child < 0) {
            child = int(m_nodes.size());
            const int row = int(m_nodes[size_t(node)].groups.size());
            m_nodes.push_back(Node{node, row, level, {}, {}});
            m_nodes[size_t(node)].groups.push_back(child);
            groupOf.insert(key, child);
        }
        lastChild = child;
        lastKey = std::move(key);
        m_nodes[size_t(child)].records.push_back(record);
    }
    const std::vector<int> children = m_nodes[size_t(node)].groups;
    for (const int child : children)
        splitIntoGroups(child, level + 1);
}

int GroupingProxyModel::groupNodeOf(const QModelIndex& index) const {
    if (!index.isValid())
        return 0;
    const Node& parent = m_nodes[size_t(index.internalId())];
    if (parent.groups.empty())
        return -1;
    return parent.groups[size_t(index.row())];
}

int GroupingProxyModel::firstRecordOf(int node) const {
    while (!m_nodes[size_t(node)].groups.empty())
        node = m_nodes[size_t(node)].groups.front();
    return m_nodes[size_t(node)].records.front();
}

bool GroupingProxyModel::isGroupHeader(const QModelIndex& index) const {
    return index.isValid() && groupNodeOf(index) > 0;
}

QModelIndex GroupingProxyModel::mapToSource(const QModelIndex& proxyIndex) const {
    if (!proxyIndex.isValid() || !m_source)
        return {};
    const Node& parent = m_nodes[size_t(proxyIndex.internalId())];
    if (!parent.groups.empty())
        return {};
    return m_source->index(parent.records[size_t(proxyIndex.row())], proxyIndex.column());
}

QModelIndex GroupingProxyModel::mapFromSource(const QModelIndex& sourceIndex) const {
    if (!sourceIndex.isValid() || size_t(sourceIndex.row()) >= m_rowOfRecord.size())
        return {};
    const size_t record = size_t(sourceIndex.row());
    return createIndex(m_rowOfRecord[record], sourceIndex.column(),
                       quintptr(m_parentOfRecord[record]));
}

QModelIndex GroupingProxyModel::index(int row, int column, const QModelIndex& parent) const {
    // The checks hasIndex() makes, with the parent's node looked up once:
    // the view asks for every row at each layout.
    if (row < 0 || column < 0 || column >= columnCount() || parent.column() > 0)
        return {};
    const int node = groupNodeOf(parent);
    if (node < 0)
        return {};
    const Node& n = m_nodes[size_t(node)];
    if (size_t(row) >= (n.groups.empty() ? n.records.size() : n.groups.size()))
        return {};
    return createIndex(row, column, quintptr(node));
}

QModelIndex GroupingProxyModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0)
        return {};
    const Node& node = m_nodes[size_t(child.internalId())];
    return createIndex(node.row, 0, quintptr(node.parent));
}

QModelIndex GroupingProxyModel::sibling(int row, int column, const QModelIndex& index) const {
    if (!index.isValid())
        return {};
    return this->index(row, column, parent(index));
}

int GroupingProxyModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    const int node = groupNodeOf(parent);
    if (node < 0)
        return 0;
    const Node& n = m_nodes[size_t(node)];
    return int(n.groups.empty() ? n.records.size() : n.groups.size());
}

int GroupingProxyModel::columnCount(const QModelIndex&) const {
    return m_source ? m_source->columnCount() : 0;
}

bool GroupingProxyModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant GroupingProxyModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int node = groupNodeOf(index);
    if (node <= 0)
        return role == GroupColumnRole ? QVariant() : mapToSource(index).data(role);
    const int column = m_groupColumns.at(m_nodes[size_t(node)].level);
    if (role == GroupColumnRole)
        return column;
    if (index.column() != 0)
        return {};
    return m_source->index(firstRecordOf(node), column).data(role);
}

QVariant GroupingProxyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // Columns are the source's; rows have no headings of their own.
    if (orientation != Qt::Horizontal || !m_source)
        return {};
    return m_source->headerData(section, orientation, role);
}

Qt::ItemFlags GroupingProxyModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (isGroupHeader(index))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return mapToSource(index).flags() | Qt::ItemNeverHasChildren;
}

void GroupingProxyModel::forwardDataChanged(const QModelIndex& topLeft,
                                            const QModelIndex& bottomRight,
                                            const QList<int>& roles) {
    for (const int column : std::as_const(m_groupColumns)) {
        if (column >= topLeft.column() && column <= bottomRight.column() &&
            (roles.isEmpty() || roles.contains(m_groupRole)))
            return regroup();
    }
    // Records of one source range may sit in different groups: row by row.
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        const QModelIndex first = mapFromSource(topLeft.siblingAtRow(row));
        Q_EMIT dataChanged(first, first.siblingAtColumn(bottomRight.column()), roles);
    }
}

} // namespace assi
