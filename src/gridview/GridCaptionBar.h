#pragma once

#include "GridCellLook.h"

#include <QWidget>

namespace assi {

/// The title bar across the top of a grid, in the "Caption" look.
class GridCaptionBar : public QWidget {
    Q_OBJECT

public:
    explicit GridCaptionBar(QWidget* parent = nullptr);

    const QString& text() const { return m_text; }
    void setText(const QString& text);
    void setLook(const GridCellLook& look);
    /// The height that fits one line of the caption's font.
    int preferredHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    GridCellLook m_look;
};

} // namespace assi
