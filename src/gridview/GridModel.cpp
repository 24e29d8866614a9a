#include "GridModel.h"

#include "BoardError.h"
#include "DisplayFormat.h"
#include "GridHost.h"
#include "GridStyles.h"

#include <QBrush>
#include <QGuiApplication>
#include <numeric>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// The variant type codes the columns keep as their data type.
int dataTypeCode(FieldType type) {
    switch (type) {
    case FieldType::Integer:
        return 3;
    case FieldType::Double:
        return 5;
    case FieldType::DateTime:
        return 7;
    case FieldType::Text:
        break;
    }
    return 8;
}

bool isNumeric(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

} // namespace

GridModel::GridModel(GridStyles& styles, GridHost* host, QObject* parent)
    : QAbstractItemModel(parent), m_styles(styles), m_host(host) {
    createPlaceholderColumns();
    buildGroups();
}

GridModel::~GridModel() = default;

void GridModel::createPlaceholderColumns() {
    // What the grid shows before its first binding: one heading column and
    // two placeholder data columns.
    struct Placeholder {
        QString key;
        double width;
    };
    const Placeholder placeholders[] = {{u"Col0"_s, 330}, {u"Field0"_s, 495}, {u"Field1"_s, 495}};
    for (const auto& [key, width] : placeholders) {
        const bool heading = key == u"Col0"_s;
        const GridStyle* basedOn = heading ? &m_styles.style(u"Heading"_s) : &m_styles.normal();
        auto column = std::make_unique<GridColumn>(key, int(m_columns.size()), basedOn, m_host);
        column->setWidth(width);
        if (heading) {
            column->setCaption(QString());
            column->style().setTextAlignment(4);
        }
        m_columnByLowerKey.insert(key.toLower(), column->index());
        m_columns.push_back(std::move(column));
    }
}

void GridModel::createColumns() {
    m_columns.clear();
    m_columnByLowerKey.clear();
    m_columns.reserve(size_t(m_recordset.fieldCount()));
    for (int f = 0; f < m_recordset.fieldCount(); ++f) {
        const Field& field = m_recordset.field(f);
        auto column = std::make_unique<GridColumn>(field.name, f, &m_styles.normal(), m_host);
        column->setDataType(dataTypeCode(field.type));
        m_columnByLowerKey.insert(field.name.toLower(), f);
        m_columns.push_back(std::move(column));
    }
}

void GridModel::setRecordset(const Recordset& recordset, const QStringList& groupKeys) {
    beginResetModel();
    m_recordset = recordset;
    m_recordCount = recordset.recordCount();
    if (m_recordCount < 0) {
        // A cursor that cannot tell its size: count its rows once.
        m_recordCount = 0;
        for (m_recordset.moveFirst(); !m_recordset.eof(); m_recordset.moveNext())
            ++m_recordCount;
        m_recordset.moveFirst();
    }
    m_bound = true;
    createColumns();
    m_groupKeys = canonicalKeys(groupKeys, false);
    buildGroups();
    endResetModel();
}

int GridModel::columnIndex(const QString& key) const {
    return m_columnByLowerKey.value(key.trimmed().toLower(), -1);
}

QStringList GridModel::canonicalKeys(const QStringList& keys, bool throwOnUnknown) const {
    QStringList result;
    for (const QString& key : keys) {
        const int column = columnIndex(key);
        if (column < 0) {
            if (!throwOnUnknown)
                continue;
            const QString grid = m_host ? m_host->gridName() : u"sem nome"_s;
            throw BoardError(u"A grelha %1 não tem a coluna \"%2\" para agrupar."_s.arg(grid, key));
        }
        const QString& canonical = m_columns[size_t(column)]->key();
        if (!result.contains(canonical))
            result << canonical;
    }
    return result;
}

void GridModel::setGroupKeys(const QStringList& keys) {
    const QStringList canonical = canonicalKeys(keys, true);
    if (canonical == m_groupKeys)
        return;
    beginResetModel();
    m_groupKeys = canonical;
    buildGroups();
    endResetModel();
}

void GridModel::buildGroups() {
    m_nodes.clear();
    m_nodes.push_back(GroupNode{-1, 0, -1, {}, {}, {}});
    // Groups need the recordset's fields; the placeholder columns have none.
    std::vector<int> fields;
    for (const QString& key : std::as_const(m_groupKeys)) {
        const int field = m_recordset.fieldIndex(key);
        if (field >= 0)
            fields.push_back(field);
    }
    m_nodes[0].records.resize(size_t(m_recordCount));
    std::iota(m_nodes[0].records.begin(), m_nodes[0].records.end(), 0);
    splitIntoGroups(0, 0, fields);
}

void GridModel::splitIntoGroups(int node, int level, const std::vector<int>& fields) {
    if (level >= int(fields.size()))
        return;
    const std::vector<int> records = std::move(m_nodes[size_t(node)].records);
    m_nodes[size_t(node)].records.clear();
    // Groups keyed by (is null, text), in the order their values first appear.
    QHash<std::pair<bool, QString>, int> groupOf;
    for (const int record : records) {
        const QVariant value = m_recordset.valueAt(record, fields[size_t(level)]);
        const std::pair<bool, QString> key{value.isNull(), value.toString()};
        int child = groupOf.value(key, -1);
        if (child < 0) {
            child = int(m_nodes.size());
            const int row = int(m_nodes[size_t(node)].groups.size());
            m_nodes.push_back(GroupNode{node, row, level, value, {}, {}});
            m_nodes[size_t(node)].groups.push_back(child);
            groupOf.insert(key, child);
        }
        m_nodes[size_t(child)].records.push_back(record);
    }
    const std::vector<int> children = m_nodes[size_t(node)].groups;
    for (const int child : children)
        splitIntoGroups(child, level + 1, fields);
}

void GridModel::addFormatRule(const GridFormatRule& rule) {
    for (GridFormatRule& existing : m_rules) {
        if (existing.sameAs(rule)) {
            existing = rule;
            return;
        }
    }
    m_rules.append(rule);
}

void GridModel::clearFormatRules() {
    m_rules.clear();
}

int GridModel::childCount(int node) const {
    const GroupNode& n = m_nodes[size_t(node)];
    return int(n.groups.empty() ? n.records.size() : n.groups.size());
}

int GridModel::groupNodeOf(const QModelIndex& index) const {
    if (!index.isValid())
        return 0;
    const GroupNode& parent = m_nodes[size_t(index.internalId())];
    if (parent.groups.empty())
        return -1;
    return parent.groups[size_t(index.row())];
}

bool GridModel::isGroupHeader(const QModelIndex& index) const {
    return index.isValid() && groupNodeOf(index) > 0;
}

int GridModel::recordRow(const QModelIndex& index) const {
    if (!index.isValid())
        return -1;
    const GroupNode& parent = m_nodes[size_t(index.internalId())];
    if (!parent.groups.empty())
        return -1;
    return parent.records[size_t(index.row())];
}

QModelIndex GridModel::index(int row, int column, const QModelIndex& parent) const {
    if (!hasIndex(row, column, parent))
        return {};
    const int node = groupNodeOf(parent);
    if (node < 0)
        return {};
    return createIndex(row, column, quintptr(node));
}

QModelIndex GridModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0)
        return {};
    const GroupNode& node = m_nodes[size_t(child.internalId())];
    return createIndex(node.row, 0, quintptr(node.parent));
}

int GridModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    const int node = groupNodeOf(parent);
    return node < 0 ? 0 : childCount(node);
}

int GridModel::columnCount(const QModelIndex&) const {
    return int(m_columns.size());
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!isGroupHeader(index))
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int node = groupNodeOf(index);
    if (node > 0)
        return groupData(node, index, role);
    return recordData(recordRow(index), index, role);
}

QVariant GridModel::groupData(int node, const QModelIndex& index, int role) const {
    const GroupNode& group = m_nodes[size_t(node)];
    const QPalette palette = QGuiApplication::palette();
    switch (role) {
    case Qt::DisplayRole: {
        if (index.column() != 0)
            return QString();
        const int column = columnIndex(m_groupKeys.value(group.level));
        const QString format = column >= 0 ? gridColumn(column).style().format() : QString();
        return formatForDisplay(group.value, format);
    }
    case Qt::EditRole:
        return index.column() == 0 ? group.value : QVariant();
    case GroupHeaderRole:
        return true;
    case RecordRowRole:
        return -1;
    default:
        break;
    }
    GridCellLook look = GridCellLook::of(m_styles.style(u"GroupHeader"_s), palette);
    if (role == SelectedLookRole)
        look.overlay(m_styles.style(u"Selection"_s), palette);
    else if (role == InactiveSelectedLookRole)
        look.overlay(m_styles.style(u"InactiveSelection"_s), palette);
    return lookRoleData(look, role);
}

QVariant GridModel::recordData(int record, const QModelIndex& index, int role) const {
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return formatForDisplay(m_recordset.valueAt(record, column),
                                gridColumn(column).style().format());
    case Qt::EditRole:
        return m_recordset.valueAt(record, column);
    case GroupHeaderRole:
        return false;
    case RecordRowRole:
        return record;
    default:
        break;
    }
    GridCellLook look = recordLook(record, column);
    const QPalette palette = QGuiApplication::palette();
    if (role == SelectedLookRole)
        look.overlay(m_styles.style(u"Selection"_s), palette);
    else if (role == InactiveSelectedLookRole)
        look.overlay(m_styles.style(u"InactiveSelection"_s), palette);
    look.resolveAlignment(isNumeric(m_recordset.valueAt(record, column)));
    return lookRoleData(look, role);
}

GridCellLook GridModel::recordLook(int record, int column) const {
    const QPalette palette = QGuiApplication::palette();
    GridCellLook look = GridCellLook::of(gridColumn(column).style(), palette);
    for (const GridFormatRule& rule : m_rules) {
        const int ruleColumn = columnIndex(rule.columnKey);
        const GridStyle* style = m_styles.find(rule.styleName);
        if (ruleColumn < 0 || !style)
            continue;
        if (m_recordset.valueAt(record, ruleColumn).toString() == rule.value.toString())
            look.overlay(*style, palette);
    }
    return look;
}

QVariant GridModel::lookRoleData(const GridCellLook& look, int role) const {
    switch (role) {
    case LookRole:
    case SelectedLookRole:
    case InactiveSelectedLookRole:
        return QVariant::fromValue(look);
    case Qt::FontRole:
        return look.font;
    case Qt::BackgroundRole:
        return QBrush(look.back);
    case Qt::ForegroundRole:
        return QBrush(look.fore);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(look.alignment);
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= gridColumnCount())
        return {};
    if (role == Qt::DisplayRole)
        return gridColumn(section).caption();
    const GridCellLook look =
        GridCellLook::of(m_styles.style(u"Heading"_s), QGuiApplication::palette());
    return lookRoleData(look, role);
}

} // namespace assi
