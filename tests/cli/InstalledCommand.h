// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quorvane-convert as installed, run as a script on a server would: without a display, on real
// documents through the real office, the office profiles in the tests' own cache folder, a
// runtime folder of its own. Every office process it starts is noted while it runs, and none may
// be left once it has ended.

#include "OfficeChildren.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>
#include <unistd.h>

inline const QString UsageLine
    = "Usage: quorvane-convert [--filtered] [--extension EXT] [--jobs N] [--keep-going] [--quiet] [--output-dir DIR] "
      "[--newer] [--files-from FILE [--null]] [--shard K/N] [--report FILE] [--] PATH...";

struct Outcome {
    int status; // the exit status, or minus the number of the signal that ended it
    QString out, err;
    QSet<qint64> offices; // its office processes, as seen while it ran
};

// How a command is run besides its arguments, as CommandSetting().watching(...).in(...).
struct CommandSetting {
    std::function<void(qint64)> watch; // runs every 20 ms while the command runs, given its process id
    int out = -1, err = -1;            // the command's standard output and error, when given
    QStringList wrapper;               // a command that runs the command
    QString input;                     // the file on its standard input
    QString folder;                    // its current folder

    CommandSetting &watching(std::function<void(qint64)> each) { return watch = std::move(each), *this; }
    CommandSetting &writingTo(int descriptor) { return out = descriptor, *this; }
    CommandSetting &erringTo(int descriptor) { return err = descriptor, *this; }
    CommandSetting &wrappedIn(QStringList command) { return wrapper = std::move(command), *this; }
    CommandSetting &reading(QString file) { return input = std::move(file), *this; }
    CommandSetting &in(QString currentFolder) { return folder = std::move(currentFolder), *this; }
};

// What an ended command of process pid may not leave behind: its office pipes in /tmp, entries in
// its running-object folder.
inline void ExpectNoTraces(qint64 pid, const QString &runtime)
{
    EXPECT_EQ(QDir("/tmp").entryList({QStringLiteral("OSL_PIPE_*_quorvane-%1-*").arg(pid)}, QDir::System),
              QStringList());
    EXPECT_EQ(QDir(runtime + "/quorvane-running").entryList(QDir::Files | QDir::Hidden), QStringList());
}

inline Outcome RunCommand(const QStringList &arguments, const CommandSetting &setting = {})
{
    const QTemporaryDir runtime;
    QProcess command;
    QStringList environment = QProcess::systemEnvironment().filter(
        QRegularExpression("^(?!(DISPLAY|WAYLAND_DISPLAY|QT_QPA_PLATFORM|XDG_CACHE_HOME|XDG_RUNTIME_DIR)=)"));
    command.setEnvironment(environment << "XDG_CACHE_HOME=" QUORVANE_TEST_CACHE << "XDG_RUNTIME_DIR=" + runtime.path());
    command.setChildProcessModifier([out = setting.out, err = setting.err] {
        if (out >= 0)
            ::dup2(out, STDOUT_FILENO);
        if (err >= 0)
            ::dup2(err, STDERR_FILENO);
    });
    if (!setting.input.isEmpty())
        command.setStandardInputFile(setting.input);
    command.setWorkingDirectory(setting.folder);
    if (setting.wrapper.isEmpty())
        command.start(QUORVANE_CONVERT_COMMAND, arguments);
    else
        command.start(setting.wrapper.value(0), setting.wrapper.mid(1) << QUORVANE_CONVERT_COMMAND << arguments);
    EXPECT_TRUE(command.waitForStarted()) << qPrintable(command.errorString());
    const qint64 pid = command.processId();
    QSet<qint64> offices;
    for (int waits = 0; !command.waitForFinished(20) && waits < 12000; ++waits) { // four minutes at most
        for (const qint64 office : OfficeChildren(command.processId()))
            offices << office;
        if (setting.watch)
            setting.watch(command.processId());
    }
    EXPECT_EQ(command.state(), QProcess::NotRunning) << "did not end: " << qPrintable(arguments.join(' '));
    command.kill();
    command.waitForFinished();
    for (const qint64 office : offices)
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(office))) << "office " << office << " was left";
    ExpectNoTraces(pid, runtime.path());
    return {command.exitStatus() == QProcess::CrashExit ? -command.exitCode() : command.exitCode(),
            command.readAllStandardOutput(), command.readAllStandardError(), offices};
}

// The objects of a JSON Lines report, each line read by a JSON parser; a line that is no JSON
// object fails the test.
inline QList<QJsonObject> ReportLines(const QString &report)
{
    QFile file(report);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(report);
    const QByteArray contents = file.readAll();
    EXPECT_TRUE(contents.isEmpty() || contents.endsWith('\n')) << "a line left unfinished";
    QList<QJsonObject> objects;
    for (const QByteArray &line : contents.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error{};
        const QJsonDocument json = QJsonDocument::fromJson(line, &error);
        EXPECT_TRUE(error.error == QJsonParseError::NoError && json.isObject()) << line.constData();
        objects << json.object();
    }
    return objects;
}

// What a report says of each document: "name status", the document by its file name.
inline QStringList ReportStatuses(const QString &report)
{
    QStringList statuses;
    for (const QJsonObject &line : ReportLines(report))
        statuses << QFileInfo(line["document"].toString()).fileName() + ' ' + line["status"].toString();
    return statuses;
}
