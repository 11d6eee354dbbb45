// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningObjects.h"

#include "ObjectRegistry.h"
#include "ProcessIdentity.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <mutex>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString EntrySuffix = QStringLiteral(".running");

struct Entry {
    QString progId;
    ProcessIdentity process;
    QString defaultMember;
};

// One entry per file: class, pid, start time, default member, one a line.
bool readEntry(const QString &path, Entry &entry)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (lines.size() < 4)
        return false;
    entry = {lines.at(0), {lines.at(1).toLongLong(), lines.at(2)}, lines.at(3)};
    return entry.process.pid > 0;
}

bool writeEntry(const QString &path, const Entry &entry)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QString defaultMember = entry.defaultMember;
    defaultMember.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString text
        = QStringList{entry.progId, QString::number(entry.process.pid), entry.process.startTime, defaultMember}.join(
            QLatin1Char('\n'));
    file.write(text.toUtf8() + '\n');
    return file.commit();
}

// Objects of this process, by entry path, so FindRunningInstance here returns the object itself.
struct LocalObjects {
    std::mutex mutex;
    QHash<QString, std::weak_ptr<AutomationObject>> byEntry;
};

LocalObjects &localObjects()
{
    static LocalObjects objects;
    return objects;
}

// What another process can read of a running object: its default member, as recorded.
class RemoteRunningObject : public AutomationObject {
public:
    RemoteRunningObject(QString progId, qint64 pid, QString defaultMember)
        : progId_(std::move(progId))
        , pid_(pid)
        , defaultMember_(std::move(defaultMember))
    {
    }

    Variant Invoke(const QString &member, const PositionalArguments &, const NamedArguments &) override
    {
        throw AutomationError(AutomationErrorNumber::UnknownMember,
                              QStringLiteral("The running \"%1\" belongs to another program (process %2); "
                                             "its member \"%3\" cannot be called from here.")
                                  .arg(progId_, QString::number(pid_), member));
    }
    Variant DefaultMember() override { return defaultMember_; }

private:
    QString progId_;
    qint64 pid_;
    QString defaultMember_;
};

QString entryFileName(const QString &progId)
{
    static QAtomicInteger<quint32> counter;
    QString safeId = progId.toLower();
    safeId.replace(QRegularExpression(QStringLiteral("[^a-z0-9._-]")), QStringLiteral("_"));
    return QStringLiteral("%1-%2-%3%4").arg(safeId).arg(::getpid()).arg(counter.fetchAndAddRelaxed(1)).arg(EntrySuffix);
}

bool isPrivateFolder(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode)
           && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

QString makePrivateFolder(const QString &path)
{
    ::mkdir(QFile::encodeName(path).constData(), 0700);
    return isPrivateFolder(path) ? path : QString();
}

} // namespace

QString RunningObjectFolder()
{
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && isPrivateFolder(runtimeDir))
        return makePrivateFolder(runtimeDir + QStringLiteral("/quorvane-running"));
    // Not trusted unless it is ours and closed to others: a folder someone else made first is
    // refused rather than used.
    return makePrivateFolder(QStringLiteral("/tmp/quorvane-running-%1").arg(::getuid()));
}

RunningObjectRegistration::RunningObjectRegistration(const QString &progId, const ObjectRef &object)
{
    const QString folder = RunningObjectFolder();
    if (folder.isEmpty() || !object)
        return;
    QString defaultMember;
    try {
        const Variant value = object->DefaultMember();
        defaultMember = value.type() == Variant::Type::Text ? value.toText() : value.describe();
    } catch (const AutomationError &) {
        // An object without a readable default member is still running.
    }
    const QString path = folder + QLatin1Char('/') + entryFileName(progId);
    if (!writeEntry(path, {progId, ProcessIdentity::ofThisProcess(), defaultMember}))
        return;
    entryPath_ = path;
    std::lock_guard lock(localObjects().mutex);
    localObjects().byEntry.insert(entryPath_, object);
}

RunningObjectRegistration::~RunningObjectRegistration()
{
    if (entryPath_.isEmpty())
        return;
    QFile::remove(entryPath_);
    std::lock_guard lock(localObjects().mutex);
    localObjects().byEntry.remove(entryPath_);
}

void RemoveEndedRunningObjects()
{
    const QString folder = RunningObjectFolder();
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QLatin1Char('*') + EntrySuffix}, QDir::Files)) {
        Entry entry;
        if (readEntry(dir.filePath(name), entry) && !entry.process.isAlive())
            QFile::remove(dir.filePath(name));
    }
}

void RemoveOwnRunningObjects()
{
    std::lock_guard lock(localObjects().mutex);
    for (auto entry = localObjects().byEntry.keyBegin(); entry != localObjects().byEntry.keyEnd(); ++entry)
        QFile::remove(*entry);
    localObjects().byEntry.clear();
}

namespace {

ObjectRef findRunning(const QString &progId, bool ownIncluded)
{
    const QString folder = RunningObjectFolder();
    const QDir dir(folder);
    const QStringList names = folder.isEmpty()
                                  ? QStringList()
                                  : dir.entryList({QLatin1Char('*') + EntrySuffix}, QDir::Files, QDir::Time);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        Entry entry;
        if (!readEntry(path, entry))
            continue;
        if (!entry.process.isAlive()) {
            QFile::remove(path);
            continue;
        }
        if (entry.progId.compare(progId, Qt::CaseInsensitive) != 0)
            continue;
        if (entry.process.pid == ::getpid()) {
            std::lock_guard lock(localObjects().mutex);
            if (ObjectRef local = localObjects().byEntry.value(path).lock(); local && ownIncluded)
                return local;
            continue;
        }
        return std::make_shared<RemoteRunningObject>(entry.progId, entry.process.pid, entry.defaultMember);
    }
    throw AutomationError(AutomationErrorNumber::NoRunningInstance,
                          QStringLiteral("No running instance of \"%1\" was found.").arg(progId));
}

} // namespace

ObjectRef FindRunningInstance(const QString &progId)
{
    return findRunning(progId, true);
}

ObjectRef FindInstanceOfAnotherProcess(const QString &progId)
{
    return findRunning(progId, false);
}
