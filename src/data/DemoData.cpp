#include "data/DemoData.h"

#include "data/DemoDatabase.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

const QStringList departments{
    u"Assistência Técnica"_s, u"Climatização"_s, u"Eletricidade"_s,
    u"Informática"_s,         u"Oficina"_s,      u"Redes e Comunicações"_s,
};

const QStringList clients{
    u"Farmácia Conceição"_s,
    u"Padaria São João, Lda."_s,
    u"Construções Ribeiro & Filhos, S.A."_s,
    u"Hotel Miramar"_s,
    u"Câmara Municipal de Ourém"_s,
    u"Escola Básica de Alvalade"_s,
    u"Clínica Dentária Sorriso"_s,
    u"Talho Esperança"_s,
    u"Auto Reparadora do Minho"_s,
    u"Cooperativa Agrícola de Torres Vedras, C.R.L."_s,
    u"Pastelaria Doce Lar"_s,
    u"Restaurante O Gaveto"_s,
    u"Lar de Santa Isabel"_s,
    u"Quinta da Ribafria"_s,
    u"Papelaria Aguiar"_s,
    u"Óptica Gonçalves"_s,
    u"Junta de Freguesia de São Vicente"_s,
    u"Metalúrgica Lusitana, Lda."_s,
    u"Colégio Nossa Senhora do Rosário"_s,
    u"Mercearia Fátima"_s,
    u"Transportes Baptista & Irmão"_s,
    u"Centro de Saúde de Benfica"_s,
    u"Cabeleireiro Estilo Próprio"_s,
    u"Adega Cooperativa de Vale Fundo"_s,
    u"Gráfica Açoriana"_s,
    u"Condomínio Edifício Atlântico"_s,
    u"Stand Automóvel Soares"_s,
    u"Associação Humanitária dos Bombeiros Voluntários de Vila Nova de Famalicão e Arredores"_s,
    u"Clube Desportivo Estrela do Norte"_s,
    u"Marcenaria Conceição & Rodrigues"_s,
};

const QStringList technicians{
    u"António Ferreira"_s,     u"Maria João Santos"_s, u"Rui Carvalho"_s,  u"Ana Sofia Lopes"_s,
    u"João Pedro Gonçalves"_s, u"Carla Marques"_s,     u"Nuno Teixeira"_s, u"Inês Rodrigues"_s,
};

const QStringList notes{
    u"O equipamento não liga depois da falha de energia de ontem."_s,
    u"Ar condicionado da sala de reuniões faz ruído e não arrefece."_s,
    u"Substituir o disjuntor do quadro elétrico do armazém."_s,
    u"Impressora de rede encravada; pedem visita com urgência."_s,
    u"O router reinicia sozinho várias vezes ao dia."_s,
    u"Revisão anual da caldeira."_s,
    u"Cliente pede orçamento para substituir toda a cablagem estruturada do primeiro piso, "
    u"incluindo bastidor, painéis de ligação e doze tomadas de rede novas; contactar de manhã o "
    u"Sr. Fernando."_s,
    u"Fuga de água na unidade exterior do sistema de climatização; o tabuleiro de condensados "
    u"transborda e já molhou o teto falso da receção. Levar bomba e tubo de 16 mm."_s,
    u"Instalar dois postos de trabalho novos."_s,
    u"Terminal de pagamento sem ligação."_s,
    u"Verificar a iluminação de emergência (inspeção na próxima semana)."_s,
    u"Portão automático não fecha."_s,
};

// Deterministic for one date: the demo must look the same at every run.
class Dice {
public:
    explicit Dice(const QDate& today) : m_engine(std::uint32_t(today.toJulianDay())) {}
    int below(int n) { return int(m_engine() % std::uint32_t(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::mt19937 m_engine;
};

constexpr int unknownClient = 9999;
constexpr int unknownDepartment = 99;
constexpr int unknownEmployee = 77;

QDateTime at(const QDate& date, int hour, int minute) {
    return QDateTime(date, QTime(hour, minute));
}

QDateTime workingHours(Dice& dice, const QDate& date) {
    return at(date, 8 + dice.below(10), dice.below(4) * 15);
}

void addPeople(DemoDatabase& database) {
    for (int i = 0; i < departments.size(); ++i)
        database.addDepartment(i + 1, departments[i]);
    for (int i = 0; i < clients.size(); ++i)
        database.addClient(i + 1, clients[i]);
    for (int i = 0; i < technicians.size(); ++i)
        database.addEmployee(i + 1, technicians[i]);
    // Rows that only the filters keep off the board, named so that a glance
    // at the demo shows when a filter fails.
    database.addClient(101, u"NÃO DEVE APARECER: pedido fechado"_s);
    database.addClient(102, u"NÃO DEVE APARECER: já tem ordem"_s);
    database.addClient(103, u"NÃO DEVE APARECER: ordem fechada"_s);
    database.addClient(104, u"NÃO DEVE APARECER: daqui a 8 dias"_s);
}

void addRequests(DemoDatabase& database, Dice& dice, const QDate& today) {
    int numero = 140;
    for (int i = 0; i < 60; ++i) {
        DemoRequest request;
        const QDate created = today.addDays(-dice.below(21));
        request.ano = created.year();
        request.numero = ++numero;
        request.estado = dice.below(3);
        request.codDepar = 1 + dice.below(int(departments.size()));
        if (i % 20 == 7) // no department at all
            request.codDepar = QVariant();
        if (i == 33) // a department that no longer exists
            request.codDepar = unknownDepartment;
        request.cliente = 1 + dice.below(int(clients.size()));
        // Now and then only the date was recorded.
        request.dataCriacao = dice.chance(15) ? at(created, 0, 0) : workingHours(dice, created);
        const int note = dice.below(int(notes.size()) + 3);
        if (note == int(notes.size()))
            request.detalhes = QString(u""_s);
        else if (note < int(notes.size()))
            request.detalhes = notes[note];
        database.addRequest(request);
    }

    DemoRequest closed;
    closed.ano = today.year();
    closed.numero = ++numero;
    closed.estado = 3;
    closed.codDepar = 1;
    closed.cliente = 101;
    closed.dataCriacao = workingHours(dice, today.addDays(-2));
    closed.detalhes = u"Pedido já resolvido."_s;
    database.addRequest(closed);

    DemoRequest ordered = closed;
    ordered.numero = ++numero;
    ordered.estado = 1;
    ordered.geraOrdservico = 1;
    ordered.cliente = 102;
    ordered.detalhes = u"Já deu origem a uma ordem de serviço."_s;
    database.addRequest(ordered);
}

void addOrders(DemoDatabase& database, Dice& dice, const QDate& today) {
    std::array<QDate, 5> workingDays;
    std::array<QDate, 2> weekend;
    size_t w = 0, e = 0;
    for (int offset = 0; offset < 7; ++offset) {
        const QDate day = today.addDays(offset);
        if (day.dayOfWeek() >= 6)
            weekend[e++] = day;
        else
            workingDays[w++] = day;
    }

    // One busy day, the second working day of the window.
    const std::array<int, 5> perDay{8, 13, 6, 5, 4};
    std::vector<DemoOrder> orders;
    for (size_t d = 0; d < workingDays.size(); ++d) {
        for (int n = 0; n < perDay[d]; ++n) {
            DemoOrder order;
            order.dataEntrega = workingHours(dice, workingDays[d]);
            order.estado = dice.below(3);
            order.cliente = 1 + dice.below(int(clients.size()));
            if (dice.chance(12))
                order.funcId = QVariant(); // not assigned yet
            else if (dice.chance(3))
                order.funcId = unknownEmployee;
            else
                order.funcId = 1 + dice.below(int(technicians.size()));
            orders.push_back(order);
        }
    }
    for (const QDate& day : weekend)
        orders.push_back({workingHours(dice, day), 1, 1 + dice.below(int(clients.size())), 1});
    orders.push_back({at(weekend[0], 10, 0), 2, 4, QVariant()});
    // Stored as they would be booked over time, so each day reads in time order.
    std::stable_sort(orders.begin(), orders.end(), [](const DemoOrder& a, const DemoOrder& b) {
        return a.dataEntrega < b.dataEntrega;
    });
    for (const DemoOrder& order : orders)
        database.addOrder(order);

    // What the board must leave out.
    database.addOrder({workingHours(dice, workingDays[0]), 3, 103, 2});
    database.addOrder({at(today.addDays(7), 9, 0), 1, 104, 3});
    database.addOrder({workingHours(dice, workingDays[1]), 1, unknownClient, 4});
    database.addOrder({at(today.addDays(-1), 9, 30), 1, 1, 1});
}

} // namespace

void fillDemoDatabase(DemoDatabase& database, const QDate& today) {
    Dice dice(today);
    database.beginBatch();
    addPeople(database);
    addRequests(database, dice, today);
    addOrders(database, dice, today);
    database.commitBatch();
}

} // namespace assi
