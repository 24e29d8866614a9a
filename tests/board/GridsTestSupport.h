#pragma once

#include "common/BoardTables.h"
#include "common/TableText.h"
#include "common/TempDir.h"
#include "core/Recordset.h"
#include "gridview/Grid.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace assi::test {

// An OTK.zlv in a temporary folder, complete by default: every look setting
// of both grid sections and the request columns. Tests change single values
// and write it again, as a site edits the file between two refreshes.
class SettingsFile {
public:
    SettingsFile();

    SettingsFile& set(const QString& section, const QString& key, const QString& value);
    SettingsFile& remove(const QString& section, const QString& key);
    // Writes the file (again) and returns its path.
    QString write();
    QString path() const { return m_dir.filePath(QStringLiteral("OTK.zlv")); }

private:
    TempDir m_dir;
    QMap<QString, QList<QPair<QString, QString>>> m_sections;
};

// Pending requests as the board binds them: sorted by department, the date
// as a regional short-date text.
Recordset sampleRequests();

// A small week: two orders on the first day, one on the third.
Recordset sampleBoard();

// The columns as set up: "key|caption|width|hidden|font|wrap|alignment|format".
QStringList columnsSummary(const Grid& grid);

// The grid's own look and the six styles the settings give, one line each.
QStringList lookSummary(const Grid& grid);

} // namespace assi::test
