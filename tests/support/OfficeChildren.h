#pragma once
// The office processes (soffice.bin) that are children of this test program, or of the process
// parent, read from /proc.

#include <QDir>
#include <QFile>
#include <QList>

#include <unistd.h>

inline QList<qint64> OfficeChildren(qint64 parent = ::getpid())
{
    QList<qint64> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!isPid || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const int nameStart = line.indexOf('(');
        const int nameEnd = line.lastIndexOf(')');
        const QByteArray name = line.mid(nameStart + 1, nameEnd - nameStart - 1);
        const QList<QByteArray> fields = line.mid(nameEnd + 2).split(' ');
        if (name == "soffice.bin" && fields.size() > 1 && fields.at(1).toLongLong() == parent)
            children.append(pid);
    }
    return children;
}
