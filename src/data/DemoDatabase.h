#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace assi {

// One service request as the service-management product stores it. Nullable
// columns are QVariants: an invalid one is stored as NULL.
struct DemoRequest {
    QVariant ano;
    QVariant numero;
    int estado = 1;
    int geraOrdservico = 0;
    QVariant codDepar;
    QVariant cliente;
    QDateTime dataCriacao;
    QVariant detalhes;
};

// One service order. An invalid funcId is an order without technician.
struct DemoOrder {
    QDateTime dataEntrega;
    int estado = 1;
    QVariant cliente;
    QVariant funcId;
};

// A SQLite database with the tables the board reads, written through its own
// read-write connection (the board itself only ever opens databases
// read-only). Date-times are stored as text "yyyy-MM-dd hh:mm:ss" in columns
// declared DATETIME. Errors throw BoardError naming the file.
class DemoDatabase {
public:
    // Creates the file afresh (an old one is replaced) with empty tables.
    // Errors name `shownPath` when given: the file being built is to be
    // moved there, and that is the file a person knows.
    explicit DemoDatabase(const QString& filePath, const QString& shownPath = {});
    ~DemoDatabase();
    DemoDatabase(const DemoDatabase&) = delete;
    DemoDatabase& operator=(const DemoDatabase&) = delete;

    void addDepartment(int id, const QString& name);
    void addClient(int code, const QString& name);
    void addEmployee(int id, const QString& name);
    void addRequest(const DemoRequest& request);
    void addOrder(const DemoOrder& order);

    // Groups many additions into one transaction (much faster on disk).
    void beginBatch();
    void commitBatch();

private:
    void exec(const QString& sql, const QVariantList& values = {});
    void closeConnection();

    QString m_shownPath;
    QString m_connectionName;
};

} // namespace assi
