#pragma once

#include "gridview/GridCellLook.h"

#include <QStringList>
#include <QWidget>

namespace assi {

/// The band between a grid's caption and its headings that shows how the
/// rows are grouped: a chip with each grouped column's caption; empty when
/// nothing is grouped. It only shows; nothing can be dropped on it, so it
/// asks for nothing.
class GridGroupByBand : public QWidget {
    Q_OBJECT

public:
    explicit GridGroupByBand(QWidget* parent = nullptr);

    void setChips(const QStringList& captions);
    const QStringList& chips() const { return m_chips; }
    /// The band's own look ("GroupByBox") and the chips' ("Heading", in the
    /// band's font so that they stay small).
    void setLooks(const GridCellLook& band, const GridCellLook& chip);
    int preferredHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList m_chips;
    GridCellLook m_band;
    GridCellLook m_chip;
};

} // namespace assi
