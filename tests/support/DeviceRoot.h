// A temporary device root for one test: the program's own files
// ("\My Documents\korvane.cfg", "/UpdateMap.txt" …) are written under it.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class TempDeviceRoot {
public:
    TempDeviceRoot()
    {
        m_previous = qgetenv("KORVANE_ROOT");
        qputenv("KORVANE_ROOT", m_dir.path().toUtf8());
    }
    ~TempDeviceRoot() { qputenv("KORVANE_ROOT", m_previous); }

    QString Path(const QString& relative) const { return m_dir.path() + "/" + relative; }

    // Writes a file under the root, creating its folders.
    void Write(const QString& relative, const QByteArray& bytes) const
    {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }
    QByteArray Read(const QString& relative) const
    {
        QFile file(Path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool Exists(const QString& relative) const { return QFile::exists(Path(relative)); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};
