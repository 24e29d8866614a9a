#pragma once

#include "board/GridLook.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace assi {

class SettingsLookup;

// A mark's colours, 0x00BBGGRR.
struct MarkColours {
    qint32 backColor = 0;
    qint32 foreColor = 0;
};

// What makes a request stand out, from [GrelhaPedidos]. A number of 0 (or a
// key left out) turns its mark off; a value that does not read turns it off
// too, and is a problem.
struct RequestAttention {
    int warningDays = 0; // DiasAviso
    int lateDays = 0;    // DiasAtraso
    int newMinutes = 0;  // MinutosNovo
    MarkColours warning; // Aviso_BackColor, Aviso_ForeColor
    MarkColours late;    // Atraso_...
    MarkColours fresh;   // Novo_...
    QList<LookProblem> problems;

    bool marksAge() const { return warningDays > 0 || lateDays > 0; }
    bool marksNew() const { return newMinutes > 0; }
};

// What an order without a technician shows, from [GrelhaAssistencias]: no
// text (the key left out or blank) leaves the line empty.
struct OrderAttention {
    QString noTechnicianText; // SemTecnico
    qint32 noTechnicianForeColor = 0;
    QList<LookProblem> problems;

    bool marksNoTechnician() const { return !noTechnicianText.isEmpty(); }
};

// The colours a mark takes when its keys are left out: amber for a request
// getting old, red for one late, green for one just in; an order without a
// technician in dark orange.
inline constexpr MarkColours DefaultWarningColours{0x0007C1FF, 0x00000000};
inline constexpr MarkColours DefaultLateColours{0x002F2FD3, 0x00FFFFFF};
inline constexpr MarkColours DefaultNewColours{0x00A7D6A5, 0x00000000};
inline constexpr qint32 DefaultNoTechnicianForeColor = 0x000C36BF;

// The longest a request may be counted old or new for: ten years, a day.
inline constexpr int MaxAttentionDays = 3650;
inline constexpr int MaxNewMinutes = 1440;

RequestAttention readRequestAttention(const SettingsLookup& settings);
OrderAttention readOrderAttention(const SettingsLookup& settings);

// What stands out, in a sentence for --check: "Realce: pedidos com 7 dias
// ou mais (Aviso), ...", or that nothing does.
QString describeAttention(const RequestAttention& requests, const OrderAttention& orders);

} // namespace assi
