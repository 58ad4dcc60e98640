#include "history/qt/history_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "base/qt/qt_text.h"

namespace lumora {
namespace {

constexpr const char* kSchema[] = {
    "PRAGMA journal_mode=WAL",
    "CREATE TABLE IF NOT EXISTS uploads (id INTEGER PRIMARY KEY, time TEXT NOT NULL, port INTEGER NOT NULL,"
    " device TEXT NOT NULL, job TEXT NOT NULL, outcome TEXT NOT NULL, status INTEGER, file TEXT NOT NULL,"
    " a REAL, b REAL, circumference REAL, dbl REAL)",
    "CREATE INDEX IF NOT EXISTS uploads_by_job ON uploads(job)",
    "CREATE INDEX IF NOT EXISTS uploads_by_time ON uploads(time)",
};

constexpr const char* kColumns = "id, time, port, device, job, outcome, status, file, a, b, circumference, dbl";

QVariant valueOf(const std::optional<double>& number) { return number ? QVariant(*number) : QVariant(); }
QVariant valueOf(const std::optional<int>& number) { return number ? QVariant(*number) : QVariant(); }

// SQLite's own words ("database is locked"), or Qt's where SQLite has none.
QString reasonOf(const QSqlError& error) {
  return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

template <typename T>
std::optional<T> optionalOf(const QVariant& value) {
  if (value.isNull()) return std::nullopt;
  return value.value<T>();
}

HistoryRecord recordAt(const QSqlQuery& q) {
  HistoryRecord r;
  r.id = q.value(0).toLongLong();
  r.time = q.value(1).toString().toStdString();
  r.port = q.value(2).toInt();
  r.device = q.value(3).toString().toStdString();
  r.job = q.value(4).toString().toStdString();
  r.outcome = outcomeNamed(q.value(5).toString().toStdString()).value_or(UploadOutcome::Stored);
  r.status = optionalOf<int>(q.value(6));
  r.file = q.value(7).toString().toStdString();
  r.a = optionalOf<double>(q.value(8));
  r.b = optionalOf<double>(q.value(9));
  r.circumference = optionalOf<double>(q.value(10));
  r.dbl = optionalOf<double>(q.value(11));
  return r;
}

// The conditions of `query` as SQL with their values; a prefix is a range on its column.
struct Where {
  QString sql;
  QVariantList values;
  void add(const QString& condition, const QVariant& value) {
    sql += (sql.isEmpty() ? " WHERE " : " AND ") + condition;
    values << value;
  }
  void addPrefix(const QString& column, const std::string& prefix) {
    if (prefix.empty()) return;
    add(column + " >= ?", toQString(prefix));
    if (const auto end = prefixEnd(prefix)) add(column + " < ?", toQString(*end));
  }
};

}  // namespace

HistoryStore::HistoryStore(QString path)
    : path_(std::move(path)), connection_(QStringLiteral("history-%1").arg(reinterpret_cast<quintptr>(this))) {}

HistoryStore::~HistoryStore() {
  QSqlDatabase::database(connection_, false).close();
  QSqlDatabase::removeDatabase(connection_);
}

std::optional<Problem> HistoryStore::failed(const QString& what, const QString& reason) {
  QSqlDatabase::database(connection_, false).close();
  open_ = false;  // a damaged or replaced file is opened afresh next time
  return Problem{(what + " " + QDir::toNativeSeparators(path_) + ": " + reason).toStdString()};
}

std::optional<Problem> HistoryStore::open() {
  if (open_) return std::nullopt;
  QDir().mkpath(QFileInfo(path_).absolutePath());
  QSqlDatabase db = QSqlDatabase::contains(connection_) ? QSqlDatabase::database(connection_, false)
                                                         : QSqlDatabase::addDatabase("QSQLITE", connection_);
  db.setDatabaseName(path_);
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyMs));
  if (!db.open()) return failed("cannot open", reasonOf(db.lastError()));
  QSqlQuery q(db);
  for (const char* statement : kSchema)
    if (!q.exec(statement)) return failed("cannot open", reasonOf(q.lastError()));
  open_ = true;
  return std::nullopt;
}

std::optional<Problem> HistoryStore::append(const HistoryRecord& r) {
  if (auto problem = open()) return problem;
  QSqlDatabase db = QSqlDatabase::database(connection_, false);
  QSqlQuery q(db);
  q.prepare(QStringLiteral("INSERT INTO uploads (time, port, device, job, outcome, status, file, a, b, "
                           "circumference, dbl) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
  for (const QVariant& v : {QVariant(toQString(r.time)), QVariant(r.port), QVariant(toQString(r.device)),
                            QVariant(toQString(r.job)), QVariant(toQString(outcomeName(r.outcome))),
                            valueOf(r.status), QVariant(toQString(r.file)), valueOf(r.a), valueOf(r.b),
                            valueOf(r.circumference), valueOf(r.dbl)})
    q.addBindValue(v);
  // One statement is one transaction: committed whole or not at all.
  if (!q.exec()) return failed("cannot write", reasonOf(q.lastError()));
  return std::nullopt;
}

Result<std::vector<HistoryRecord>> HistoryStore::find(const HistoryQuery& query, int limit,
                                                      std::optional<std::int64_t> beforeId) {
  if (auto problem = open()) return *problem;
  Where where;
  where.addPrefix("job", query.jobPrefix);
  where.addPrefix("time", query.timePrefix);
  if (!query.since.empty()) where.add("time >= ?", toQString(query.since));
  if (beforeId) where.add("id < ?", QVariant::fromValue<qint64>(*beforeId));
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  q.setForwardOnly(true);
  q.prepare(QStringLiteral("SELECT %1 FROM uploads%2 ORDER BY id DESC LIMIT %3").arg(kColumns, where.sql).arg(limit));
  for (const QVariant& v : where.values) q.addBindValue(v);
  if (!q.exec()) return *failed("cannot read", reasonOf(q.lastError()));
  std::vector<HistoryRecord> records;
  while (q.next()) records.push_back(recordAt(q));
  return records;
}

}  // namespace lumora
