#include "HtmlPublisher.h"

#include "OfficeErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <filesystem>
#include <system_error>

namespace {
// Replaces an existing file of the same name, as rename does.
void moveInto(const QString &from, const QString &to, const QString &target)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), error);
    if (error)
        throw OfficeErrors::pageNotSaved(
            target,
            QStringLiteral("\"%1\" could not be put in place (%2)").arg(to, QString::fromStdString(error.message())));
}
} // namespace

void PublishHtml(const QString &target, const std::function<void(const QString &page)> &write)
{
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    if (!folder.exists())
        throw OfficeErrors::pageNotSaved(target, QStringLiteral("the folder does not exist"));
    if (info.isDir())
        throw OfficeErrors::pageNotSaved(target, QStringLiteral("a folder of that name is in the way"));
    QTemporaryDir staging(folder.filePath(QStringLiteral(".quorvane-save-XXXXXX")));
    if (!staging.isValid())
        throw OfficeErrors::pageNotSaved(
            target, QStringLiteral("the folder cannot be written to (%1)").arg(staging.errorString()));
    const QString page = staging.filePath(info.fileName());
    write(page);
    if (!QFileInfo(page).isFile())
        throw OfficeErrors::pageNotSaved(target, QStringLiteral("LibreOffice wrote no page"));
    const QStringList pictures = QDir(staging.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : pictures) {
        if (name != info.fileName())
            moveInto(staging.filePath(name), folder.filePath(name), target);
    }
    moveInto(page, info.absoluteFilePath(), target);
}
