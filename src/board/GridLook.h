#pragma once

#include "settings/SettingsFields.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace assi {

class Grid;
class SettingsLookup;

/// A look setting that did not read: its key, and a message naming the
/// file, the section, the key and the value.
struct LookProblem {
    SettingsField field;
    QString message;

    friend bool operator==(const LookProblem&, const LookProblem&) = default;
};

// Colours and font of one of the grid's styles (colours 0x00BBGGRR).
struct StyleLook {
    qint32 backColor = 0;
    qint32 foreColor = 0;
    QString fontName;
    double fontSize = 0;
};

// A grid's look as one section of the settings gives it, whole: a value that
// does not read is the design value in its place, and a problem.
struct GridLook {
    QString caption;
    QString fontName;
    double fontSize = 0;
    double rowHeight = 0;
    double headingHeight = 0;
    // The caption bar takes the headings' font, and their colours through its style.
    StyleLook heading;
    StyleLook groupHeader;
    StyleLook selection;
    StyleLook inactiveSelection;
    // The group-by band's text colour has no setting.
    StyleLook groupByBox;
    // In the order the values were read.
    QList<LookProblem> problems;
};

// The look `grid` shows now, for the values a GridLook holds.
GridLook lookOf(const Grid& grid);

// The look of a grid just made, before any setting: what a value that does
// not read falls back on.
const GridLook& designLook();

// Reads the look of the grids of `section`, every value on its own: a value
// that does not convert takes its design value and adds a problem, and the
// rest are read all the same. Heading colours are read leniently: a text that
// is no number gives black.
GridLook readGridLook(const SettingsLookup& settings, SettingsSection section);

} // namespace assi
