// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeProfile.h"

#include "FreeLock.h"
#include "OfficeChild.h"
#include "OfficeConfinement.h"
#include "OfficeErrors.h"
#include "UntrustedFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QUrl>

#include <algorithm>
#include <mutex>

namespace {
constexpr int MaxSlots = 64;
constexpr int MaxPreparationRuns = 3;

const QString ModificationsFile = QStringLiteral("/user/registrymodifications.xcu");

// The version of the office that program belongs to ("7.4"), as its installation's settings
// name it; empty when they cannot be read.
QByteArray readOfficeVersion(const QString &program)
{
    QFile settings(QFileInfo(program).dir().filePath(QStringLiteral("../share/registry/main.xcd")));
    if (!settings.open(QIODevice::ReadOnly))
        return {};
    // Megabytes of settings, searched where they lie rather than copied first, before the first
    // office can start: only the short stretch after the property's name is read as text.
    const uchar *mapped = settings.map(0, settings.size());
    if (!mapped)
        return {};
    const QByteArrayView all(reinterpret_cast<const char *>(mapped), settings.size());
    static const QByteArray property("<prop oor:name=\"ooSetupVersion\">");
    const qsizetype at = all.indexOf(property);
    if (at < 0)
        return {};
    static const QRegularExpression version(QStringLiteral("^\\s*<value>([0-9.]+)</value>"));
    const qsizetype start = at + property.size();
    const QByteArrayView stretch = all.sliced(start, std::min<qsizetype>(64, all.size() - start));
    return version.match(QString::fromUtf8(stretch)).captured(1).toUtf8();
}

// The same, read once per program: every office start asks.
QByteArray officeVersion(const QString &program)
{
    static std::mutex reading;
    static QHash<QString, QByteArray> versions;
    const std::lock_guard lock(reading);
    if (!versions.contains(program))
        versions.insert(program, readOfficeVersion(program));
    return versions.value(program);
}

QByteArray setting(const char *group, const char *name, const char *value)
{
    return QByteArray("<item oor:path=\"") + group + "\"><prop oor:name=\"" + name + "\" oor:op=\"fuse\"><value>"
           + value + "</value></prop></item>";
}

// Settings the engine needs, in the form the office itself writes them to the profile.
QList<QByteArray> engineSettings(const QString &program)
{
    QList<QByteArray> settings{
        // The HTML export writes the encoding its profile names; 76 is UTF-8, whatever the locale.
        setting("/org.openoffice.Office.Common/Filter/HTML/Export", "Encoding", "76"),
        // A document never makes the office fetch what it only links to (pictures, templates),
        // never updates its links (0: never), and runs no macro, whatever the load asks: a
        // second wall behind the sandbox, and the only one where there is none.
        setting("/org.openoffice.Office.Common/Security/Scripting", "BlockUntrustedRefererLinks", "true"),
        setting("/org.openoffice.Office.Common/Security/Scripting", "DisableMacrosExecution", "true"),
        setting("/org.openoffice.Office.Common/Security/Scripting", "MacroSecurityLevel", "3"),
        setting("/org.openoffice.Office.Writer/Content/Update", "Link", "0")};
    // An office that takes its profile for one of an older version runs a graphics self-test of
    // about four seconds at every start, and a headless office never records its version.
    const QByteArray version = officeVersion(program);
    if (!version.isEmpty())
        settings << setting("/org.openoffice.Setup/Product", "ooSetupLastVersion", version.constData());
    return settings;
}

// Adds each engine setting the profile lacks; the office keeps them when it rewrites the file.
// False when the settings file is missing or damaged (an office killed while writing it).
bool applyEngineSettings(const QString &profile, const QString &program)
{
    const QString path = profile + ModificationsFile;
    QFile current(path);
    if (!current.open(QIODevice::ReadOnly))
        return false;
    const QByteArray original = current.readAll();
    current.close();
    const int end = original.lastIndexOf("</oor:items>");
    if (end < 0)
        return false;
    QByteArray text = original;
    for (const QByteArray &setting : engineSettings(program)) {
        if (!text.contains(setting))
            text.insert(end, setting + '\n');
    }
    if (text == original)
        return true;
    QSaveFile updated(path);
    if (!updated.open(QIODevice::WriteOnly) || updated.write(text) != text.size() || !updated.commit())
        throw OfficeErrors::profileNotPrepared(profile, updated.errorString());
    return true;
}
} // namespace

OfficeProfile::OfficeProfile(const OfficeSettings &settings)
{
    if (!QDir().mkpath(settings.profileRoot))
        throw OfficeErrors::profileNotPrepared(settings.profileRoot, QStringLiteral("the folder cannot be created"));
    chooseSlot(settings.profileRoot);
    if (!slotLock_)
        throw OfficeErrors::allProfilesInUse(MaxSlots);
    prepare(settings);
}

void OfficeProfile::chooseSlot(const QString &root)
{
    // Offices start on several threads at once; each must get a slot of its own. Only the choice
    // waits for the others: each prepares its profile side by side with them.
    static std::mutex choosing;
    const std::lock_guard lock(choosing);
    for (int slot = 0; slot < MaxSlots && !slotLock_; ++slot) {
        slotLock_ = TakeFreeLock(root + QStringLiteral("/slot-%1.lock").arg(slot));
        if (slotLock_)
            path_ = root + QStringLiteral("/slot-%1").arg(slot);
    }
}

QString OfficeProfile::installationArgument() const
{
    return QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(path_).toString(QUrl::FullyEncoded);
}

void OfficeProfile::clearStaleOfficeLock() const
{
    QFile::remove(path_ + QStringLiteral("/.lock"));
}

void OfficeProfile::prepare(const OfficeSettings &settings) const
{
    clearStaleOfficeLock();
    if (applyEngineSettings(path_, settings.program))
        return;
    // New, or damaged beyond what the engine can mend: made anew; it holds nothing of the user's.
    RemoveTree(path_);
    if (!QDir().mkpath(path_))
        throw OfficeErrors::profileNotPrepared(path_, QStringLiteral("the folder cannot be created"));
    firstStart(settings);
    if (!applyEngineSettings(path_, settings.program))
        throw OfficeErrors::profileNotPrepared(path_, QStringLiteral("LibreOffice wrote no settings"));
}

void OfficeProfile::firstStart(const OfficeSettings &settings) const
{
    // A new profile is completed by a first start, which may ask to be restarted.
    for (int run = 0; run < MaxPreparationRuns && !QFile::exists(path_ + ModificationsFile); ++run) {
        const pid_t office = StartOfficeChild(OfficeCommand(settings,
                                                            HeadlessOfficeArguments()
                                                                << QStringLiteral("--terminate_after_init")
                                                                << installationArgument(),
                                                            path_, QString()),
                                              OfficesConfined(settings));
        const std::optional<int> exitCode = CollectOfficeChild(office, settings.limits.start);
        if (!exitCode) {
            KillOfficeChild(office);
            throw OfficeErrors::profileNotPrepared(path_, QStringLiteral("LibreOffice did not finish its first start"));
        }
        if (*exitCode != 0 && *exitCode != OfficeRestartRequested)
            throw OfficeErrors::profileNotPrepared(path_,
                                                   QStringLiteral("LibreOffice ended with code %1").arg(*exitCode));
    }
}
