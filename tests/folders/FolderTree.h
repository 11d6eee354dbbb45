#pragma once
// Builds folder trees for the tests.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Each path is relative to root; one ending in "/" is a folder, any other an empty file.
// Parent folders are created as needed.
inline void makeTree(const QString &root, const QStringList &paths)
{
    for (const QString &path : paths) {
        const QString full = root + QLatin1Char('/') + path;
        QDir().mkpath(path.endsWith(QLatin1Char('/')) ? full : QFileInfo(full).path());
        if (!path.endsWith(QLatin1Char('/')))
            QFile(full).open(QIODevice::WriteOnly);
    }
}

// A chain of folders under root whose deepest paths are longer than Linux accepts (PATH_MAX),
// made with paths relative to open folders. The destructor cuts the chain in two so that both
// halves can be removed by path again.
class TooLongChain {
public:
    static constexpr int depth = 20;
    explicit TooLongChain(const QString &root) : rootFd(open(QFile::encodeName(root).constData(), O_DIRECTORY))
    {
        int fd = dup(rootFd);
        for (int level = 0; level < depth; ++level) {
            mkdirat(fd, name, 0755);
            const int child = openat(fd, name, O_DIRECTORY);
            close(fd);
            fd = child;
        }
        close(fd);
    }
    ~TooLongChain()
    {
        int fd = dup(rootFd);
        for (int level = 0; level < depth / 2; ++level) {
            const int child = openat(fd, name, O_DIRECTORY);
            close(fd);
            fd = child;
        }
        renameat(fd, name, rootFd, "cut");
        close(fd);
        close(rootFd);
    }
    static constexpr const char *name =
        "folder-with-a-long-name-0123456789012345678901234567890123456789012345678901234567890123456789"
        "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123"
        "456789012345678901234567890123456789";

private:
    int rootFd;
};
