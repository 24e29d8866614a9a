#include "board/AttentionMarks.h"

#include "board/AttentionSettings.h"
#include "data/WeekBoard.h"
#include "gridview/DisplayFormat.h"

#include <QSet>
#include <QStringView>
#include <limits>
#include <type_traits>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

constexpr qint64 MillisecondsPerMinute = 60'000;
// When a request the board found at its first refresh arrived: never new.
constexpr qint64 ArrivedBeforeTheBoard = std::numeric_limits<qint64>::min();

// Dates repeat from row to row: each text is read once per marking.
class RequestDates {
public:
    std::optional<QDate> dateOf(const QVariant& value) {
        if (value.isNull())
            return std::nullopt;
        const QString text = value.toString();
        // Most rows of one date share one string: found by where its
        // characters are, it is not hashed.
        const auto shared = m_readShared.constFind(text.constData());
        if (shared != m_readShared.cend() && shared->text.size() == text.size())
            return shared->date;
        auto known = m_read.constFind(text);
        if (known == m_read.constEnd())
            known = m_read.insert(text, readDate(text));
        // The string kept here keeps its characters where they are.
        m_readShared.insert(text.constData(), {text, *known});
        return *known;
    }

private:
    static std::optional<QDate> readDate(const QString& text) {
        if (const std::optional<QDate> regional = dateFromRegionalText(text))
            return regional;
        // A date the database gave as text, in its own order.
        const QDate iso = QDate::fromString(text.left(10), Qt::ISODate);
        return iso.isValid() ? std::optional(iso) : std::nullopt;
    }

    struct SharedText {
        QString text;
        std::optional<QDate> date;
    };
    QHash<QString, std::optional<QDate>> m_read;
    QHash<const QChar*, SharedText> m_readShared;
};

RowMark ageMark(const std::optional<QDate>& date, const QDate& today,
                const RequestAttention& attention) {
    if (!date)
        return RowMark::None;
    const qint64 days = date->daysTo(today);
    if (attention.lateDays > 0 && days >= attention.lateDays)
        return RowMark::Late;
    if (attention.warningDays > 0 && days >= attention.warningDays)
        return RowMark::Warning;
    return RowMark::None;
}

} // namespace

QString requestKey(const Recordset& requests, int row, int pedido) {
    const QString number = pedido >= 0 ? requests.valueAt(row, pedido).toString() : QString();
    if (!number.isEmpty())
        return number;
    QString key = u"\x1f"_s; // never a number's text
    for (int field = 0; field < requests.fieldCount(); ++field)
        key += requests.valueAt(row, field).toString() + u'\x1f';
    return key;
}

namespace {

// Each mark's name in the dump and the style that draws it.
struct MarkNames {
    RowMark mark;
    const char16_t* name;
    const char16_t* style;
};
constexpr MarkNames markNames[] = {
    {RowMark::Warning, u"aviso", u"Aviso"},
    {RowMark::Late, u"atraso", u"Atraso"},
    {RowMark::New, u"novo", u"Novo"},
    {RowMark::NoTechnician, u"semTecnico", u"SemTecnico"},
};

const MarkNames* namesOf(RowMark mark) {
    for (const MarkNames& names : markNames) {
        if (names.mark == mark)
            return &names;
    }
    return nullptr;
}

} // namespace

QString markName(RowMark mark) {
    const MarkNames* names = namesOf(mark);
    return names ? QString::fromUtf16(names->name) : QString();
}

QString markStyleName(RowMark mark) {
    const MarkNames* names = namesOf(mark);
    return names ? QString::fromUtf16(names->style) : QString();
}

namespace {

// The keys of the last refresh, one after the other in one string: asked
// whether a key was among them, they answer from its place in the list
// first, and build a lookup only once a key is not at its place.
class ShownKeys {
public:
    ShownKeys(const QString& keys, const std::vector<qsizetype>& ends)
        : m_keys(keys), m_ends(ends) {}

    bool contains(size_t position, QAnyStringView key) {
        if (position < m_ends.size() && QAnyStringView::equal(at(position), key))
            return true;
        if (!m_lookedUp) {
            m_lookedUp = true;
            m_lookup.reserve(qsizetype(m_ends.size()));
            for (size_t i = 0; i < m_ends.size(); ++i)
                m_lookup.insert(at(i));
        }
        return m_lookup.contains(key.toString());
    }

private:
    QStringView at(size_t i) const {
        const qsizetype begin = i == 0 ? 0 : m_ends[i - 1];
        return QStringView(m_keys).sliced(begin, m_ends[i] - begin);
    }

    const QString& m_keys;
    const std::vector<qsizetype>& m_ends;
    QSet<QStringView> m_lookup;
    bool m_lookedUp = false;
};

// A request still shown keeps the time it arrived at, if it is kept.
void carryArrival(const QHash<QString, qint64>& from, QHash<QString, qint64>& to,
                  QAnyStringView key) {
    const auto arrived = from.constFind(key.toString());
    if (arrived != from.cend())
        to.insert(arrived.key(), *arrived);
}

void appendText(QString& to, QAnyStringView text) {
    text.visit([&to](auto view) {
        if constexpr (std::is_same_v<decltype(view), QUtf8StringView>)
            to += view.toString();
        else
            to.append(view);
    });
}

} // namespace

void RequestArrivals::take(const std::vector<const Recordset*>& grids, qint64 now) {
    QString keys;
    std::vector<qsizetype> keyEnds;
    QHash<QString, qint64> arrivedAt;
    {
        ShownKeys shown(m_keys, m_keyEnds);
        for (const Recordset* requests : grids) {
            const int pedido = requests->fieldIndex(u"Pedido"_s);
            keyEnds.reserve(keyEnds.size() + size_t(std::max(0, requests->recordCount())));
            for (int row = 0; row < requests->recordCount(); ++row) {
                // The number's text as the table keeps it: most requests need
                // no string of their own here.
                const QAnyStringView number =
                    pedido >= 0 ? requests->textAt(row, pedido) : QAnyStringView();
                const QString whole =
                    number.isEmpty() ? requestKey(*requests, row, pedido) : QString();
                const QAnyStringView key = number.isEmpty() ? QAnyStringView(whole) : number;
                const bool wasShown = shown.contains(keyEnds.size(), key);
                if (!wasShown && m_tracking)
                    arrivedAt.insert(key.toString(), now);
                if (wasShown && !m_arrivedAt.isEmpty())
                    carryArrival(m_arrivedAt, arrivedAt, key);
                appendText(keys, key);
                keyEnds.push_back(keys.size());
            }
        }
    } // the shown keys' views are into the keys replaced here
    m_keys = std::move(keys);
    m_keyEnds = std::move(keyEnds);
    m_arrivedAt = std::move(arrivedAt);
    m_tracking = true;
}

bool RequestArrivals::isNew(const QString& key, qint64 now, int minutes) const {
    const qint64 arrived = m_arrivedAt.value(key, ArrivedBeforeTheBoard);
    return arrived != ArrivedBeforeTheBoard && now - arrived < minutes * MillisecondsPerMinute;
}

std::optional<qint64> RequestArrivals::nextChange(qint64 now, int minutes) const {
    std::optional<qint64> next;
    for (const qint64 arrived : m_arrivedAt) {
        if (arrived == ArrivedBeforeTheBoard)
            continue;
        const qint64 ends = arrived + minutes * MillisecondsPerMinute;
        if (ends > now && (!next || ends < *next))
            next = ends;
    }
    return next;
}

void RequestArrivals::forget() {
    m_keys.clear();
    m_keyEnds.clear();
    m_arrivedAt.clear();
    m_tracking = false;
}

RowMarks markRequests(const Recordset& requests, const QDate& today,
                      const RequestAttention& attention, const RequestArrivals& arrivals,
                      qint64 now) {
    RowMarks marks(size_t(std::max(0, requests.recordCount())), RowMark::None);
    if (!attention.marksAge() && !attention.marksNew())
        return marks;
    const int dataPedido = requests.fieldIndex(u"DataPedido"_s);
    const int pedido = requests.fieldIndex(u"Pedido"_s);
    // Mostly, no request came within the minutes: none is looked up then.
    const bool anyNew =
        attention.marksNew() && arrivals.nextChange(now, attention.newMinutes).has_value();
    RequestDates dates;
    for (int row = 0; row < int(marks.size()); ++row) {
        RowMark mark = RowMark::None;
        if (attention.marksAge() && dataPedido >= 0)
            mark = ageMark(dates.dateOf(requests.valueAt(row, dataPedido)), today, attention);
        // Late is an alarm, and stays one on a request that has just come in.
        if (mark != RowMark::Late && anyNew &&
            arrivals.isNew(requestKey(requests, row, pedido), now, attention.newMinutes))
            mark = RowMark::New;
        marks[size_t(row)] = mark;
    }
    return marks;
}

bool lacksTechnician(const Recordset& board, int row, int field) {
    if (board.valueAt(row, boardTipoField).toString() != u"1"_s)
        return false;
    for (int column = 0; column < dayColumnCount; ++column) {
        if (field != boardDayField(column))
            continue;
        const QVariant value = board.valueAt(row, field);
        return !value.isNull() && value.toString().isEmpty();
    }
    return false;
}

RowMarks markOrders(const Recordset& board) {
    RowMarks marks(size_t(std::max(0, board.recordCount())), RowMark::None);
    if (board.fieldCount() != boardFieldCount)
        return marks;
    for (int row = 0; row < int(marks.size()); ++row) {
        for (int column = 0; column < dayColumnCount; ++column) {
            if (lacksTechnician(board, row, boardDayField(column))) {
                marks[size_t(row)] = RowMark::NoTechnician;
                break;
            }
        }
    }
    return marks;
}

} // namespace assi
