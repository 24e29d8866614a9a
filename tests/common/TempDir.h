#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace assi::test {

// A temporary folder with helpers to write files into it.
class TempDir {
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Writes raw bytes, creating intermediate folders; returns the full path.
    QString write(const QString& name, const QByteArray& bytes) const {
        const QString full = m_dir.filePath(name);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile f(full);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
        return full;
    }

    QString mkdir(const QString& name) const {
        const QString full = m_dir.filePath(name);
        QDir().mkpath(full);
        return full;
    }

private:
    QTemporaryDir m_dir;
};

} // namespace assi::test
