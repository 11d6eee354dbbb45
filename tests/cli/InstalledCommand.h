#pragma once
// Runs the installed quorvane-convert as a script on a server would: no display, the office
// profiles in the tests' own cache folder, a runtime folder of its own. Every office process it
// starts is noted while it runs, and none may be left once it has ended.

#include "OfficeChildren.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

struct Outcome {
    QProcess::ExitStatus exitStatus = QProcess::NormalExit;
    int exitCode = -1; // the signal's number when a signal ended it
    QString out;
    QString err;
    QList<qint64> offices; // its office processes, as seen while it ran
};

// watch runs every 20 ms while the command runs, given its process id; prepare before it starts.
inline Outcome RunInstalledCommand(const QStringList &arguments, const std::function<void(qint64)> &watch = {},
                                   const std::function<void(QProcess &)> &prepare = {})
{
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(variable));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), QStringLiteral(QUORVANE_TEST_CACHE));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess command;
    command.setProcessEnvironment(environment);
    if (prepare)
        prepare(command);
    command.start(QStringLiteral(QUORVANE_CONVERT_COMMAND), arguments);
    EXPECT_TRUE(command.waitForStarted()) << qPrintable(command.errorString());
    Outcome outcome;
    const QDeadlineTimer deadline(240000);
    while (!command.waitForFinished(20) && !deadline.hasExpired()) {
        for (const qint64 office : OfficeChildren(command.processId()))
            if (!outcome.offices.contains(office))
                outcome.offices << office;
        if (watch)
            watch(command.processId());
    }
    if (command.state() != QProcess::NotRunning) {
        ADD_FAILURE() << "quorvane-convert did not end: " << qPrintable(arguments.join(' '));
        command.kill();
        command.waitForFinished();
    }
    outcome.exitStatus = command.exitStatus();
    outcome.exitCode = command.exitCode();
    outcome.out = QString::fromUtf8(command.readAllStandardOutput());
    outcome.err = QString::fromUtf8(command.readAllStandardError());
    for (const qint64 office : outcome.offices)
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(office))) << "office " << office << " was left";
    return outcome;
}
