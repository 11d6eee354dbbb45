// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageTargets.h"

#include "ConvertDocument.h"
#include "FileDescriptor.h"
#include "LocalPaths.h"
#include "NameBytes.h"
#include "StagedPage.h"

#include <QDir>
#include <QHash>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

QString folderOfPlace(const QString &place)
{
    const qsizetype slash = place.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : place.left(slash);
}

// Opens name in the open folder parent, making it first when it is missing; never through a link.
FileDescriptor enterFolder(int parent, const QByteArray &name)
{
    if (::mkdirat(parent, name.constData(), 0777) != 0 && errno != EEXIST)
        return FileDescriptor();
    return FileDescriptor(::openat(parent, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

} // namespace

std::vector<PageTarget> PlanPageTargets(const QStringList &documents, const QStringList &places,
                                        const QString &outputDir)
{
    std::vector<PageTarget> targets;
    targets.reserve(documents.size());
    QHash<QString, QString> documentOfPage;
    for (qsizetype i = 0; i < documents.size(); ++i) {
        PageTarget target;
        if (outputDir.isEmpty()) {
            target.page = PagePath(documents.at(i));
        } else {
            target.folderBelow = folderOfPlace(places.at(i));
            target.page = PagePath(documents.at(i), QDir::cleanPath(outputDir + QLatin1Char('/') + target.folderBelow));
        }
        const QString page = AbsolutePath(target.page);
        const auto earlier = documentOfPage.constFind(page);
        if (earlier != documentOfPage.cend())
            target.earlierDocument = *earlier;
        else
            documentOfPage.insert(page, documents.at(i));
        targets.push_back(std::move(target));
    }
    return targets;
}

bool MakeOutputFolder(const QString &outputDir)
{
    const QString absolute = AbsolutePath(outputDir);
    QString folder;
    for (const QString &name : absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        folder += QLatin1Char('/') + name;
        ::mkdir(NameToBytes(folder).constData(), 0777);
    }
    return IsFolder(absolute);
}

void MakePageFolder(const QString &outputDir, const PageTarget &target)
{
    FileDescriptor folder = OpenFolder(outputDir);
    int error = errno;
    for (const QString &name : target.folderBelow.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (!folder.isOpen())
            break;
        FileDescriptor inner = enterFolder(folder.get(), NameToBytes(name));
        error = errno;
        folder = std::move(inner);
    }
    if (folder.isOpen())
        return;
    if (error == ELOOP || error == ENOTDIR)
        throw PageNotSaved(target.page, QStringLiteral("a link or a file stands where its folder belongs below \"%1\"")
                                            .arg(ReadableName(outputDir)));
    throw PageNotSaved(target.page, QStringLiteral("its folder cannot be made below \"%1\" (%2)")
                                        .arg(ReadableName(outputDir), SystemReason(error)));
}

void RefuseTakenPage(const PageTarget &target)
{
    if (!target.earlierDocument.isEmpty())
        throw PageNotSaved(target.page,
                           QStringLiteral("it is the page of \"%1\" too, which comes before it, and is not "
                                          "written over")
                               .arg(ReadableName(target.earlierDocument)));
}
