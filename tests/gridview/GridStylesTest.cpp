#include "gridview/GridStyles.h"

#include "core/BoardError.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

constexpr qint32 system(int index) {
    return qint32(0x80000000u | quint32(index));
}

QString basedOnName(const GridStyle& style) {
    return style.basedOn() ? style.basedOn()->name() : u"-"_s;
}

} // namespace

TEST(GridStyles, TheBuiltInStylesAndWhatEachIsBasedOn) {
    const GridStyles styles;
    const QStringList names = styles.styleNames();
    ASSERT_EQ(names.size(), GridStyles::BuiltInStyleCount);
    QStringList chains;
    for (const QString& name : names)
        chains << name + u"<"_s + basedOnName(styles.style(name));
    EXPECT_EQ(chains.join(u' '),
              u"AddNewRow<Normal Caption<Heading CurrentCell<CurrentRow CurrentRow<Normal "
              u"FilteredRow<Normal Frozen<Normal GridBackground<Normal GroupByBox<Normal "
              u"GroupByBoxCell<Normal GroupFooter<Normal GroupHeader<Normal Heading<Normal "
              u"InactiveSelection<Selection Normal<- PageFooter<Normal PageHeader<Normal "
              u"PreviewPane<Normal Selection<Normal Tip<Normal"_s);

    // The names' constants spell them as the styles do.
    QStringList constants;
    for (const QStringView name :
         {GridStyles::AddNewRow, GridStyles::Caption, GridStyles::CurrentCell,
          GridStyles::CurrentRow, GridStyles::FilteredRow, GridStyles::Frozen,
          GridStyles::GridBackground, GridStyles::GroupByBox, GridStyles::GroupByBoxCell,
          GridStyles::GroupFooter, GridStyles::GroupHeader, GridStyles::Heading,
          GridStyles::InactiveSelection, GridStyles::Normal, GridStyles::PageFooter,
          GridStyles::PageHeader, GridStyles::PreviewPane, GridStyles::Selection, GridStyles::Tip})
        constants << name.toString();
    EXPECT_EQ(constants, names);
}

TEST(GridStyles, StartWithTheDesignValues) {
    const GridStyles styles;
    const GridStyle& normal = styles.style(u"Normal"_s);
    EXPECT_EQ(normal.foreColor(), 0);
    EXPECT_EQ(normal.backColor(), system(5));
    EXPECT_TRUE(normal.wordWrap());
    EXPECT_EQ(normal.format(), u"General"_s);
    EXPECT_EQ(normal.font(), (GridFont{u"MS Sans Serif"_s, 8.25, false}));

    const GridStyle& heading = styles.style(u"Heading"_s);
    EXPECT_EQ(heading.font(), (GridFont{u"MS Sans Serif"_s, 8.25, false}));
    EXPECT_EQ(heading.gridLineColor(), system(16));
    EXPECT_EQ(styles.style(u"Caption"_s).textAlignment(), TextAlignment::CentreMiddle);

    const GridStyle& band = styles.style(u"GroupByBox"_s);
    EXPECT_EQ(band.foreColor(), system(15));
    EXPECT_EQ(band.textAlignment(), TextAlignment::LeftMiddle);
    EXPECT_FALSE(band.wordWrap());

    const GridStyle& group = styles.style(u"GroupHeader"_s);
    EXPECT_EQ(group.textAlignment(), TextAlignment::LeftMiddle);
    EXPECT_TRUE(group.wordWrap());
    EXPECT_EQ(group.gridLineColor(), system(8));

    EXPECT_EQ(styles.style(u"GridBackground"_s).backColor(), 0xFFFFFF);
    EXPECT_EQ(styles.style(u"Frozen"_s).backColor(), 15195094);
}

TEST(GridStyles, UnsetValuesComeThroughTheChain) {
    GridStyles styles;
    GridStyle& normal = styles.style(u"Normal"_s);
    GridStyle& heading = styles.style(u"Heading"_s);
    const GridStyle& caption = styles.style(u"Caption"_s);

    normal.setFormat(u"dd-MM-yyyy"_s);
    normal.setWordWrap(false);
    EXPECT_EQ(caption.format(), u"dd-MM-yyyy"_s);
    EXPECT_FALSE(caption.wordWrap());

    heading.setBackColor(0x804000);
    heading.setFontName(u"Arial"_s);
    heading.setFontSize(14);
    heading.setFontBold(true);
    EXPECT_EQ(caption.backColor(), 0x804000);
    EXPECT_EQ(caption.font(), (GridFont{u"Arial"_s, 14, true}));
    EXPECT_EQ(normal.backColor(), system(5)) << "a child never changes its parent";

    styles.style(u"Caption"_s).setFontSize(20);
    EXPECT_EQ(caption.font().size, 20);
    EXPECT_EQ(heading.font().size, 14);
    EXPECT_EQ(caption.textAlignment(), TextAlignment::CentreMiddle)
        << "its own value wins over the heading's";

    // A font part set on "Normal" shows wherever no style in between sets it.
    normal.setFontName(u"Verdana"_s);
    EXPECT_EQ(styles.style(u"Selection"_s).font().name, u"Verdana"_s);
    EXPECT_EQ(caption.font().name, u"Arial"_s);

    // An empty name clears the style's own, so the inherited one shows again.
    heading.setFontName(QString());
    EXPECT_EQ(caption.font().name, u"Verdana"_s);
}

TEST(GridStyles, AddedStylesAreBasedOnNormalAndNamesAreNotReused) {
    GridStyles styles;
    GridStyle& paint = styles.addStyle(u"Pintar"_s);
    EXPECT_EQ(paint.basedOn(), &styles.normal());
    paint.setForeColor(255);
    paint.setFontSize(20);
    EXPECT_EQ(styles.styleNames().last(), u"Pintar"_s);

    // Adding it again fails and leaves it as it was; so does a built-in name.
    EXPECT_THROW(styles.addStyle(u"Pintar"_s), BoardError);
    EXPECT_THROW(styles.addStyle(u"pintar"_s), BoardError);
    EXPECT_THROW(styles.addStyle(u"Heading"_s), BoardError);
    EXPECT_THROW(styles.addStyle(u"  "_s), BoardError);
    EXPECT_EQ(styles.style(u"PINTAR"_s).foreColor(), 255);
    EXPECT_EQ(styles.style(u"Pintar"_s).font().size, 20);
    EXPECT_EQ(styles.styleNames().size(), 20);
}

TEST(GridStyles, UnknownStyleNamesAndBadValuesAreRejected) {
    GridStyles styles;
    try {
        styles.style(u"Cabecalho"_s);
        FAIL() << "no error";
    } catch (const BoardError& error) {
        EXPECT_TRUE(error.message().contains(u"\"Cabecalho\""_s)) << error.what();
    }

    GridStyle& heading = styles.style(u"Heading"_s);
    for (const double size : {0.0, -8.0, 2048.5, std::nan(""), double(INFINITY)})
        EXPECT_THROW(heading.setFontSize(size), BoardError) << size;
    EXPECT_EQ(heading.font().size, 8.25) << "a rejected size leaves the font as it was";
    for (const double size : {0.5, 2048.0}) {
        heading.setFontSize(size);
        EXPECT_EQ(heading.font().size, size);
    }
}

TEST(GridStyles, AHighlightStyleLaysOnlyWhatItSetsAboveNormal) {
    GridStyles styles;
    styles.style(u"Normal"_s).setBackColor(0x123456);
    GridStyle& selection = styles.style(u"Selection"_s);
    selection.setForeColor(0xFFFFFF);
    GridStyle& inactive = styles.style(u"InactiveSelection"_s);
    inactive.setFontBold(true);

    const GridStyle::Values values = inactive.overridingValues();
    EXPECT_EQ(values.fontBold, true);
    EXPECT_EQ(values.foreColor, 0xFFFFFF) << "inherited from the selection";
    EXPECT_EQ(values.backColor, system(13)) << "the selection's own, not Normal's";
    EXPECT_FALSE(values.format.has_value()) << "Normal's format is no override";

    const GridStyle& paint = styles.addStyle(u"Pintar"_s);
    EXPECT_FALSE(paint.overridingValues().backColor.has_value());
}
