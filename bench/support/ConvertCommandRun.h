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

// Runs quorvane-convert with arguments, its office profiles under cache, its output dropped.
inline ConvertCommandRun RunConvertCommand(const QStringList &arguments, const QString &cache)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
    QProcess command;
    command.setProcessEnvironment(environment);
    command.setStandardOutputFile(QProcess::nullDevice());
    command.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    command.start(QStringLiteral(QUORVANE_CONVERT_PROGRAM), arguments);
    command.waitForFinished(-1);
    return {timer.nsecsElapsed() / 1e9, command.exitStatus() == QProcess::NormalExit ? command.exitCode() : -1};
}
