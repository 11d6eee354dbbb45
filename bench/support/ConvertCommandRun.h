// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quorvane-convert as built, run by the benchmarks.

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

struct ConvertCommandRun {
    double seconds = 0;
    int exitCode = -1; // -1 when it did not end normally
};

// Starts quorvane-convert as command with arguments, its office profiles under cache, its output
// dropped.
inline void StartConvertCommand(QProcess &command, const QStringList &arguments, const QString &cache)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
    command.setProcessEnvironment(environment);
    command.setStandardOutputFile(QProcess::nullDevice());
    command.setStandardErrorFile(QProcess::nullDevice());
    command.start(QStringLiteral(QUORVANE_CONVERT_PROGRAM), arguments);
}

// Runs quorvane-convert so, until it ends.
inline ConvertCommandRun RunConvertCommand(const QStringList &arguments, const QString &cache)
{
    QProcess command;
    QElapsedTimer timer;
    timer.start();
    StartConvertCommand(command, arguments, cache);
    command.waitForFinished(-1);
    return {timer.nsecsElapsed() / 1e9, command.exitStatus() == QProcess::NormalExit ? command.exitCode() : -1};
}
