#pragma once
// The folders that a folder import could not read (gone, unreadable, path too long). The walk
// and the listings after it both add to it; a folder is counted once however often it fails.

#include <QSet>
#include <QString>

namespace AddFolder {

class UnreadFolders {
public:
    void add(const QString &folder)
    {
        if (seen.contains(folder))
            return;
        seen.insert(folder);
        if (firstFolder.isEmpty())
            firstFolder = folder;
    }
    int count() const { return int(seen.size()); }
    QString first() const { return firstFolder; }

private:
    QSet<QString> seen;
    QString firstFolder;
};

} // namespace AddFolder
