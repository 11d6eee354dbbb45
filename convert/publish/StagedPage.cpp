#include "StagedPage.h"

#include "AutomationError.h"
#include "ProcessIdentity.h"
#include "WriteFailure.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <filesystem>
#include <mutex>
#include <system_error>

namespace {

const QString StagingPrefix = QStringLiteral(".quorvane-save-");

// The staging folders this process holds, so that the program's end can remove them all.
struct LiveFolders {
    std::mutex mutex;
    QSet<QString> folders;
    bool closed = false;
};

LiveFolders &liveFolders()
{
    static LiveFolders live;
    return live;
}

// ".quorvane-save-<pid>-<start time>-XXXXXX": the process that made the folder.
QString stagingTemplate()
{
    const ProcessIdentity self = ProcessIdentity::ofThisProcess();
    return StagingPrefix + QStringLiteral("%1-%2-XXXXXX").arg(self.pid).arg(self.startTime);
}

// Staging folders left in folder by processes that ended (killed during a save, or the machine
// lost power). Those of live processes, and anything not named like a staging folder, stay.
void removeAbandonedStaging(const QDir &folder)
{
    static const QRegularExpression owner(QStringLiteral("^\\.quorvane-save-(\\d+)-(\\d+)-"));
    const QStringList names = folder.entryList({StagingPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = owner.match(name);
        if (match.hasMatch() && !ProcessIdentity{match.captured(1).toLongLong(), match.captured(2)}.isAlive())
            QDir(folder.filePath(name)).removeRecursively();
    }
}

// Replaces an existing file of the same name, as rename does.
void moveInto(const QString &from, const QString &to, const QString &target)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), error);
    if (error)
        throw PageNotSaved(
            target,
            QStringLiteral("\"%1\" could not be put in place (%2)").arg(to, QString::fromStdString(error.message())));
}

} // namespace

AutomationError PageNotSaved(const QString &page, const QString &reason)
{
    return {AutomationErrorNumber::SaveFailed,
            QStringLiteral("The web page \"%1\" could not be saved: %2.").arg(page, reason)};
}

StagedPage::StagedPage(const QString &target)
    : target_(QFileInfo(target).absoluteFilePath())
    , freeBefore_(FreeSpace(QFileInfo(target_).absolutePath()))
{
    const QFileInfo info(target_);
    const QDir folder = info.absoluteDir();
    if (!folder.exists())
        throw PageNotSaved(target_, QStringLiteral("the folder does not exist"));
    if (info.isDir())
        throw PageNotSaved(target_, QStringLiteral("a folder of that name is in the way"));
    removeAbandonedStaging(folder);
    // Made under the lock: the program's end, which removes every staging folder and ends the
    // process at once, cannot come between the folder's making and its listing.
    std::lock_guard lock(liveFolders().mutex);
    if (liveFolders().closed)
        throw PageNotSaved(target_, QStringLiteral("the program is ending"));
    QTemporaryDir staging(folder.filePath(stagingTemplate()));
    if (!staging.isValid())
        throw PageNotSaved(
            target_, WhyNotWritten(target_, freeBefore_,
                                   QStringLiteral("the folder cannot be written to (%1)").arg(staging.errorString())));
    staging.setAutoRemove(false);
    folder_ = staging.path();
    liveFolders().folders.insert(folder_);
}

StagedPage::StagedPage(StagedPage &&other) noexcept
    : target_(std::move(other.target_))
    , folder_(std::exchange(other.folder_, QString()))
    , freeBefore_(other.freeBefore_)
{
}

StagedPage &StagedPage::operator=(StagedPage &&other) noexcept
{
    if (this != &other) {
        discard();
        target_ = std::move(other.target_);
        folder_ = std::exchange(other.folder_, QString());
        freeBefore_ = other.freeBefore_;
    }
    return *this;
}

StagedPage::~StagedPage()
{
    discard();
}

QString StagedPage::pagePath() const
{
    return QDir(folder_).filePath(QFileInfo(target_).fileName());
}

void StagedPage::commit()
{
    const QFileInfo info(target_);
    const QDir staging(folder_);
    try {
        for (const QString &name : staging.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (name != info.fileName())
                moveInto(staging.filePath(name), info.dir().filePath(name), target_);
        }
        moveInto(pagePath(), target_, target_);
    } catch (...) {
        discard();
        throw;
    }
    discard();
}

void StagedPage::discard()
{
    if (folder_.isEmpty())
        return;
    // Under the lock: the program's end, removing the same folder at the same moment, would make
    // both removals miss files the other took, and neither would remove the folder itself.
    std::lock_guard lock(liveFolders().mutex);
    QDir(folder_).removeRecursively();
    liveFolders().folders.remove(std::exchange(folder_, QString()));
}

void DiscardAllStagedPages()
{
    std::lock_guard lock(liveFolders().mutex);
    liveFolders().closed = true;
    for (const QString &folder : std::as_const(liveFolders().folders))
        QDir(folder).removeRecursively();
    liveFolders().folders.clear();
}
