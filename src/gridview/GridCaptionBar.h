#pragma once

#include "gridview/GridCellLook.h"

#include <QWidget>

namespace assi {

/// The title bar across the top of a grid, in the "Caption" look.
class GridCaptionBar : public QWidget {
    Q_OBJECT

public:
    explicit GridCaptionBar(QWidget* parent = nullptr);

    const QString& text() const { return m_text; }
    void setText(const QString& text);
    /// Drawn at the right end, beside the title ("2/3"); empty: nothing.
    const QString& pageText() const { return m_pageText; }
    void setPageText(const QString& text);
    /// Drawn at the right end, just before the page number; empty: nothing.
    /// The title gives up its room before the note does.
    const QString& note() const { return m_note; }
    void setNote(const QString& note);
    void setLook(const GridCellLook& look);
    /// The height that fits one line of the caption's font.
    int preferredHeight() const;
    /// Only as much air around the text as rows that fit their text have.
    void setFitsText(bool fit) { m_fitsText = fit; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QString m_pageText;
    QString m_note;
    GridCellLook m_look;
    bool m_fitsText = false;
};

} // namespace assi
