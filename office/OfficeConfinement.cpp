// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeConfinement.h"

#include "OfficeErrors.h"

#include <QFileInfo>
#include <QHash>
#include <QProcess>

#include <mutex>

#include <unistd.h>

namespace {

// Whom an office confined for root becomes: nobody, with no capabilities.
constexpr uint Nobody = 65534;

// What the office needs of /etc: the library and font configuration, its own settings, the
// time zone and the locale aliases. Nothing of the user's is there.
const QStringList SystemConfiguration{
    QStringLiteral("/etc/fonts"),        QStringLiteral("/etc/ld.so.cache"),  QStringLiteral("/etc/ld.so.conf"),
    QStringLiteral("/etc/ld.so.conf.d"), QStringLiteral("/etc/libreoffice"),  QStringLiteral("/etc/localtime"),
    QStringLiteral("/etc/locale.alias"), QStringLiteral("/etc/alternatives"), QStringLiteral("/var/cache/fontconfig")};

// The programs the office would run to check a document's signatures, which no page shows. Each
// office starts five of them on its first Word 2007 document, and would hand them a stranger's
// signature; hidden, it starts none.
const QStringList SignaturePrograms{QStringLiteral("/usr/bin/gpg"), QStringLiteral("/usr/bin/gpg2"),
                                    QStringLiteral("/usr/bin/gpgconf"), QStringLiteral("/usr/bin/gpgsm")};

// The environment the office keeps: its language and time zone.
bool keptVariable(const QString &name)
{
    return name == QLatin1String("LANG") || name == QLatin1String("LANGUAGE") || name == QLatin1String("TZ")
           || name.startsWith(QLatin1String("LC_"));
}

// The top-level folders of the system that are links into /usr on a merged system.
QStringList systemFolders()
{
    QStringList options{QStringLiteral("--ro-bind"), QStringLiteral("/usr"), QStringLiteral("/usr")};
    for (const QString &folder : {QStringLiteral("/bin"), QStringLiteral("/sbin"), QStringLiteral("/lib"),
                                  QStringLiteral("/lib32"), QStringLiteral("/lib64")}) {
        const QFileInfo info(folder);
        if (info.isSymLink())
            options << QStringLiteral("--symlink") << info.symLinkTarget().mid(1) << folder;
        else if (info.isDir())
            options << QStringLiteral("--ro-bind") << folder << folder;
    }
    for (const QString &path : SystemConfiguration)
        options << QStringLiteral("--ro-bind-try") << path << path;
    for (const QString &program : SignaturePrograms) {
        if (QFileInfo::exists(program))
            options << QStringLiteral("--ro-bind") << QStringLiteral("/dev/null") << program;
    }
    return options;
}

// The office's own installation, wherever it lies (its program folder's parent).
QStringList installation(const QString &program)
{
    const QString folder = QFileInfo(QFileInfo(program).canonicalPath()).absolutePath();
    return {QStringLiteral("--ro-bind"), folder, folder};
}

QStringList sandboxOptions(const QString &privateFolder, const QString &temporary)
{
    QStringList options{QStringLiteral("--unshare-all"),    QStringLiteral("--unshare-user"),
                        QStringLiteral("--disable-userns"), QStringLiteral("--die-with-parent"),
                        QStringLiteral("--new-session"),    QStringLiteral("--as-pid-1"),
                        QStringLiteral("--cap-drop"),       QStringLiteral("ALL")};
    if (::geteuid() == 0)
        options << QStringLiteral("--uid") << QString::number(Nobody) << QStringLiteral("--gid")
                << QString::number(Nobody);
    options << systemFolders() << QStringLiteral("--proc") << QStringLiteral("/proc") << QStringLiteral("--dev")
            << QStringLiteral("/dev");
    if (temporary.isEmpty())
        options << QStringLiteral("--tmpfs") << QStringLiteral("/tmp");
    else
        options << QStringLiteral("--bind") << temporary << QStringLiteral("/tmp");
    if (!privateFolder.isEmpty())
        options << QStringLiteral("--bind") << privateFolder << privateFolder;
    options << QStringLiteral("--clearenv") << QStringLiteral("--setenv") << QStringLiteral("HOME")
            << (privateFolder.isEmpty() ? QStringLiteral("/tmp") : privateFolder + QStringLiteral("/home"))
            << QStringLiteral("--setenv") << QStringLiteral("PATH") << QStringLiteral("/usr/bin:/bin");
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : environment.keys()) {
        if (keptVariable(name))
            options << QStringLiteral("--setenv") << name << environment.value(name);
    }
    return options;
}

QString askSystem(const QString &sandbox)
{
    if (!QFileInfo(sandbox).isExecutable())
        return QStringLiteral("the sandbox program \"%1\" is missing (install the package bubblewrap)").arg(sandbox);
    QProcess probe;
    probe.setProcessChannelMode(QProcess::MergedChannels);
    probe.start(sandbox, sandboxOptions(QString(), QString())
                             << QStringLiteral("--") << QStringLiteral("/usr/bin/true"));
    if (probe.waitForFinished(30'000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
        return {};
    probe.kill();
    probe.waitForFinished();
    const QString says = QString::fromLocal8Bit(probe.readAll()).trimmed().section(QLatin1Char('\n'), 0, 0);
    return QStringLiteral("this system does not let the sandbox program \"%1\" make one (%2)")
        .arg(sandbox, says.isEmpty() ? QStringLiteral("it failed") : says);
}

} // namespace

QString ConfinementMissing(const OfficeSettings &settings)
{
    if (settings.sandbox.isEmpty())
        return {};
    // Asked once per sandbox program; tests and the benchmark try others.
    static std::mutex asking;
    static QHash<QString, QString> answers;
    const std::lock_guard lock(asking);
    if (!answers.contains(settings.sandbox))
        answers.insert(settings.sandbox, askSystem(settings.sandbox));
    return answers.value(settings.sandbox);
}

bool OfficesConfined(const OfficeSettings &settings)
{
    return !settings.sandbox.isEmpty() && ConfinementMissing(settings).isEmpty();
}

QStringList OfficeCommand(const OfficeSettings &settings, const QStringList &arguments, const QString &privateFolder,
                          const QString &temporary)
{
    if (!QFileInfo(settings.program).isExecutable())
        throw OfficeErrors::notInstalled(settings.program);
    if (!OfficesConfined(settings))
        return QStringList{settings.program} << arguments;
    return QStringList{settings.sandbox} << sandboxOptions(privateFolder, temporary) << installation(settings.program)
                                         << QStringLiteral("--") << settings.program << arguments;
}
