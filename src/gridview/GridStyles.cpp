#include "gridview/GridStyles.h"

#include "core/BoardError.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr qint32 systemColor(int index) {
    return qint32(0x80000000u | quint32(index));
}

} // namespace

GridStyles::GridStyles(QObject* parent)
    : QObject(parent), m_baseFont{u"MS Sans Serif"_s, 8.25, false} {
    // Parents before children; listed alphabetically afterwards.
    GridStyle& normal = create(Normal, nullptr);
    m_normal = &normal;
    GridStyle& heading = create(Heading, &normal);
    GridStyle& selection = create(Selection, &normal);
    GridStyle& currentRow = create(CurrentRow, &normal);
    GridStyle& caption = create(Caption, &heading);
    create(CurrentCell, &currentRow);
    create(InactiveSelection, &selection);
    GridStyle& groupByBox = create(GroupByBox, &normal);
    GridStyle& groupHeader = create(GroupHeader, &normal);
    GridStyle& frozen = create(Frozen, &normal);
    GridStyle& background = create(GridBackground, &normal);
    GridStyle& groupFooter = create(GroupFooter, &normal);
    for (const QStringView name :
         {AddNewRow, FilteredRow, GroupByBoxCell, PageFooter, PageHeader, PreviewPane, Tip})
        create(name, &normal);
    Q_ASSERT_X(m_styles.size() == size_t(BuiltInStyleCount), "GridStyles",
               "BuiltInStyleCount counts every built-in style");
    std::sort(m_styles.begin(), m_styles.end(),
              [](const auto& a, const auto& b) { return a->name() < b->name(); });

    // Design values.
    normal.setForeColor(0);
    normal.setBackColor(systemColor(5));
    normal.setGridLineColor(0xFFFFFF);
    normal.setWordWrap(true);
    normal.setFormat(u"General"_s);
    heading.setBackColor(systemColor(15));
    heading.setForeColor(systemColor(18));
    heading.setGridLineColor(systemColor(16));
    heading.setFontName(u"MS Sans Serif"_s);
    heading.setFontSize(8.25);
    heading.setFontBold(false);
    caption.setTextAlignment(TextAlignment::CentreMiddle);
    // The selection's colours come from the settings; until then, the system's.
    selection.setBackColor(systemColor(13));
    selection.setForeColor(systemColor(14));
    groupByBox.setForeColor(systemColor(15));
    groupByBox.setTextAlignment(TextAlignment::LeftMiddle);
    groupByBox.setWordWrap(false);
    groupHeader.setGridLineColor(systemColor(8));
    groupHeader.setTextAlignment(TextAlignment::LeftMiddle);
    groupHeader.setWordWrap(true);
    frozen.setBackColor(15195094);
    background.setForeColor(systemColor(8));
    background.setBackColor(0xFFFFFF);
    groupFooter.setForeColor(systemColor(18));
    groupFooter.setBackColor(14737632);
}

GridStyle& GridStyles::create(QStringView name, const GridStyle* basedOn) {
    m_styles.push_back(std::make_unique<GridStyle>(name.toString(), basedOn, this));
    GridStyle& style = *m_styles.back();
    m_byLowerName.insert(style.name().toLower(), &style);
    return style;
}

GridStyle& GridStyles::style(QStringView name) {
    return const_cast<GridStyle&>(std::as_const(*this).style(name));
}

const GridStyle& GridStyles::style(QStringView name) const {
    if (const GridStyle* found = find(name))
        return *found;
    throw BoardError(u"A grelha %1 não tem o estilo \"%2\"."_s.arg(gridName(), name));
}

const GridStyle* GridStyles::find(QStringView name) const {
    return m_byLowerName.value(name.trimmed().toString().toLower(), nullptr);
}

GridStyle& GridStyles::addStyle(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        throw BoardError(
            u"Não se pode acrescentar um estilo sem nome à grelha %1."_s.arg(gridName()));
    if (find(trimmed))
        throw BoardError(u"O estilo \"%1\" já existe na grelha %2."_s.arg(trimmed, gridName()));
    return create(trimmed, m_normal);
}

QStringList GridStyles::styleNames() const {
    QStringList names;
    names.reserve(qsizetype(m_styles.size()));
    for (const auto& style : m_styles)
        names << style->name();
    return names;
}

void GridStyles::setTextZoom(double factor) {
    if (factor == m_textZoom)
        return;
    m_textZoom = factor;
    notifyChanged();
}

void GridStyles::setBaseFont(const GridFont& font) {
    if (font == m_baseFont)
        return;
    m_baseFont = font;
    notifyChanged();
}

QString GridStyles::gridName() const {
    const QString name = parent() ? parent()->objectName() : QString();
    return name.isEmpty() ? u"sem nome"_s : name;
}

} // namespace assi
