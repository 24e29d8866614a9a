#pragma once

#include "core/BoardError.h"
#include "settings/SettingsFields.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace assi {

class SettingsLookup;

// The settings a grid's look is made of, in the order they are read.
enum class LookStep {
    Caption,
    FontName,
    FontSize,
    RowHeight,
    HeadingHeight,
    HeadingFontName,
    HeadingFontSize,
    HeadingBackColor,
    HeadingForeColor,
    GroupHeaderBackColor,
    GroupHeaderForeColor,
    GroupHeaderFontName,
    GroupHeaderFontSize,
    SelectionBackColor,
    SelectionForeColor,
    SelectionFontName,
    SelectionFontSize,
    InactiveSelectionBackColor,
    InactiveSelectionForeColor,
    InactiveSelectionFontName,
    InactiveSelectionFontSize,
    GroupByBoxBackColor,
    GroupByBoxFontName,
    GroupByBoxFontSize,
};

// Colours and font of one of the grid's styles (colours 0x00BBGGRR).
struct StyleLook {
    qint32 backColor = 0;
    qint32 foreColor = 0;
    QString fontName;
    double fontSize = 0;
};

// A setting that did not convert stops the reading there.
struct LookFailure {
    LookStep step;
    BoardError error;
};

// A grid's look as one section of the settings gives it. When `failure` is
// set, only the values read before its step hold; the rest keep their
// defaults.
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
    std::optional<LookFailure> failure;
};

// Reads the look of the grids of `section`, setting by setting, up to the
// first one that does not convert. Heading colours are read leniently: a text
// that is no number gives black.
GridLook readGridLook(const SettingsLookup& settings, SettingsSection section);

} // namespace assi
