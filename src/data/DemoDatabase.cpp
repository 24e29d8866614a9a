#include "data/DemoDatabase.h"

#include "core/BoardError.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

using namespace Qt::StringLiterals;

namespace assi {

namespace {

const char* const schema[] = {
    "create table zlv_OTK_Equipas (EquipaId integer primary key, Nome varchar(60))",
    "create table Clientes (Codigo integer primary key, Nome varchar(120))",
    "create table zlv_OTK_Funcionarios (FuncId integer primary key, FuncNome varchar(60))",
    "create table zlv_OTK_Assistencias (Ano integer, Numero integer, Estado integer not null,"
    " GeraOrdservico integer not null default 0, CodDepar integer, Cliente integer,"
    " DataCriacao DATETIME, Detalhes text)",
    "create table zlv_OTK_OrdensServico (DataEntrega DATETIME, Estado integer not null,"
    " Cliente integer, FuncId integer)",
};

QString dateTimeText(const QDateTime& dateTime) {
    return dateTime.toString(u"yyyy-MM-dd HH:mm:ss"_s);
}

// SQLite's own code for a write the disk had no room for.
const QString DiskFullCode = u"13"_s;

// Why SQLite failed, said first in words a person acts on when the disk is full.
QString reasonOf(const QSqlError& error) {
    if (error.nativeErrorCode() == DiskFullCode)
        return u"o disco está cheio (%1)"_s.arg(error.text());
    return error.text();
}

} // namespace

DemoDatabase::DemoDatabase(const QString& filePath, const QString& shownPath)
    : m_shownPath(QDir::toNativeSeparators(shownPath.isEmpty() ? filePath : shownPath)) {
    static std::atomic_int serial{0};
    m_connectionName = u"assi-demo-%1"_s.arg(++serial);

    for (const QString& old : {filePath, filePath + u"-journal"_s}) {
        if (QFile::exists(old) && !QFile::remove(old))
            throw BoardError(
                u"Não foi possível substituir a base de dados de demonstração %1."_s.arg(
                    QDir::toNativeSeparators(old)));
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName);
    db.setDatabaseName(filePath);
    const bool opened = db.open();
    const QString message = reasonOf(db.lastError());
    db = QSqlDatabase();
    try {
        if (!opened) {
            throw BoardError(u"Não foi possível criar a base de dados de demonstração %1: %2"_s.arg(
                m_shownPath, message));
        }
        // A demo database is rebuilt whenever it is needed: durability on a
        // crash is not worth a disk flush per row.
        exec(u"pragma synchronous = off"_s);
        exec(u"pragma journal_mode = memory"_s);
        for (const char* statement : schema)
            exec(QString::fromLatin1(statement));
    } catch (...) {
        closeConnection();
        throw;
    }
}

DemoDatabase::~DemoDatabase() {
    closeConnection();
}

void DemoDatabase::closeConnection() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

void DemoDatabase::exec(const QString& sql, const QVariantList& values) {
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    bool ok = query.prepare(sql);
    if (ok) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        ok = query.exec();
    }
    if (!ok) {
        throw BoardError(u"Erro ao escrever a base de dados de demonstração %1: %2"_s.arg(
            m_shownPath, reasonOf(query.lastError())));
    }
}

void DemoDatabase::addDepartment(int id, const QString& name) {
    exec(u"insert into zlv_OTK_Equipas (EquipaId, Nome) values (?, ?)"_s, {id, name});
}

void DemoDatabase::addClient(int code, const QString& name) {
    exec(u"insert into Clientes (Codigo, Nome) values (?, ?)"_s, {code, name});
}

void DemoDatabase::addEmployee(int id, const QString& name) {
    exec(u"insert into zlv_OTK_Funcionarios (FuncId, FuncNome) values (?, ?)"_s, {id, name});
}

void DemoDatabase::addRequest(const DemoRequest& request) {
    exec(u"insert into zlv_OTK_Assistencias (Ano, Numero, Estado, GeraOrdservico, CodDepar,"
         " Cliente, DataCriacao, Detalhes) values (?, ?, ?, ?, ?, ?, ?, ?)"_s,
         {request.ano, request.numero, request.estado, request.geraOrdservico, request.codDepar,
          request.cliente,
          request.dataCriacao.isValid() ? QVariant(dateTimeText(request.dataCriacao)) : QVariant(),
          request.detalhes});
}

void DemoDatabase::addOrder(const DemoOrder& order) {
    exec(u"insert into zlv_OTK_OrdensServico (DataEntrega, Estado, Cliente, FuncId)"
         " values (?, ?, ?, ?)"_s,
         {order.dataEntrega.isValid() ? QVariant(dateTimeText(order.dataEntrega)) : QVariant(),
          order.estado, order.cliente, order.funcId});
}

void DemoDatabase::beginBatch() {
    exec(u"begin"_s);
}

void DemoDatabase::commitBatch() {
    exec(u"commit"_s);
}

} // namespace assi
