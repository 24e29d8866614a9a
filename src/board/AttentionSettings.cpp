#include "board/AttentionSettings.h"

#include "core/BoardError.h"
#include "settings/SettingsLookup.h"

using namespace Qt::StringLiterals;

namespace assi {

namespace {

// Reads one setting after another of a section; one that does not read
// gives way to its fallback and the reading goes on.
class AttentionReader {
public:
    AttentionReader(const SettingsLookup& settings, SettingsSection section,
                    QList<LookProblem>& problems)
        : m_settings(settings), m_section(section), m_problems(problems) {}

    bool isBlank(SettingsField field) const {
        return m_settings.Ler_INI(m_section, field).trimmed().isEmpty();
    }
    QString text(SettingsField field) const {
        return m_settings.Ler_INI(m_section, field).trimmed();
    }
    // A count from 0 to `max`; blank is 0, and so is a text that does not read.
    int count(SettingsField field, int max, const QString& unit) {
        if (isBlank(field))
            return 0;
        return orFallback(field, 0, [&] {
            return m_settings.readConverted(m_section, field, [&](QStringView value) {
                const std::int32_t n = parseStrictWholeNumber(value);
                if (n < 0 || n > max)
                    throw ConversionError(ConversionError::Kind::OutOfRange,
                                          u"de 0 a %1 %2"_s.arg(max).arg(unit));
                return int(n);
            });
        });
    }
    qint32 colour(SettingsField field, qint32 fallback) {
        if (isBlank(field))
            return fallback;
        return orFallback(field, fallback,
                          [&] { return m_settings.readStrictWholeNumber(m_section, field); });
    }
    MarkColours colours(SettingsField back, SettingsField fore, MarkColours fallback) {
        return {colour(back, fallback.backColor), colour(fore, fallback.foreColor)};
    }

private:
    template <typename Value, typename Read>
    Value orFallback(SettingsField field, Value fallback, Read read) {
        try {
            return read();
        } catch (const BoardError& error) {
            m_problems.append({field, error.message()});
            return fallback;
        }
    }

    const SettingsLookup& m_settings;
    SettingsSection m_section;
    QList<LookProblem>& m_problems;
};

} // namespace

RequestAttention readRequestAttention(const SettingsLookup& settings) {
    RequestAttention attention;
    AttentionReader read(settings, RequestGridsSection, attention.problems);
    attention.warningDays = read.count(DiasAviso, MaxAttentionDays, u"dias"_s);
    attention.lateDays = read.count(DiasAtraso, MaxAttentionDays, u"dias"_s);
    attention.newMinutes = read.count(MinutosNovo, MaxNewMinutes, u"minutos"_s);
    // Colours are read only for a mark that is on: a wrong colour of a mark
    // nobody sees is no problem of the board's.
    if (attention.warningDays > 0)
        attention.warning = read.colours(Aviso_BackColor, Aviso_ForeColor, DefaultWarningColours);
    if (attention.lateDays > 0)
        attention.late = read.colours(Atraso_BackColor, Atraso_ForeColor, DefaultLateColours);
    if (attention.newMinutes > 0)
        attention.fresh = read.colours(Novo_BackColor, Novo_ForeColor, DefaultNewColours);
    return attention;
}

OrderAttention readOrderAttention(const SettingsLookup& settings) {
    OrderAttention attention;
    AttentionReader read(settings, WeekBoardSection, attention.problems);
    attention.noTechnicianText = read.text(SemTecnico);
    if (attention.marksNoTechnician())
        attention.noTechnicianForeColor =
            read.colour(SemTecnico_ForeColor, DefaultNoTechnicianForeColor);
    return attention;
}

QString describeAttention(const RequestAttention& requests, const OrderAttention& orders) {
    QStringList marks;
    if (requests.warningDays > 0)
        marks << u"pedidos com %1 dias ou mais (Aviso)"_s.arg(requests.warningDays);
    if (requests.lateDays > 0)
        marks << u"pedidos com %1 dias ou mais (Atraso)"_s.arg(requests.lateDays);
    if (requests.newMinutes > 0)
        marks << u"pedidos novos durante %1 minutos (Novo)"_s.arg(requests.newMinutes);
    if (orders.marksNoTechnician())
        marks << u"ordens sem técnico como \u00AB%1\u00BB (SemTecnico)"_s.arg(
            orders.noTechnicianText);
    if (marks.isEmpty())
        return u"Realce: nenhum (DiasAviso, DiasAtraso, MinutosNovo e SemTecnico não definidos)"_s;
    return u"Realce: "_s + marks.join(u"; "_s);
}

} // namespace assi
