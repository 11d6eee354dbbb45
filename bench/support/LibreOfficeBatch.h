// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// LibreOffice's own batch conversion, the benchmarks' point of comparison.

#include "OfficeProcesses.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include <csignal>

// Converts documents to HTML in outputFolder with one soffice call on profile (prepared by an
// earlier call, so that no first start is counted); the seconds it took, or -1 when it had not
// finished within limitSeconds (its office is killed then).
inline double LibreOfficeBatchSeconds(const QStringList &documents, const QString &outputFolder, const QString &profile,
                                      double limitSeconds = -1)
{
    QStringList arguments{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
                          QStringLiteral("--headless"),
                          QStringLiteral("--convert-to"),
                          QStringLiteral("html"),
                          QStringLiteral("--outdir"),
                          outputFolder};
    arguments << documents;
    QProcess soffice;
    soffice.setStandardOutputFile(QProcess::nullDevice());
    soffice.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    soffice.start(QStringLiteral("soffice"), arguments);
    if (soffice.waitForFinished(limitSeconds < 0 ? -1 : int(limitSeconds * 1000)))
        return timer.nsecsElapsed() / 1e9;
    // The office first: once its launcher is gone it is no longer ours to find.
    for (const qint64 office : OfficeProcesses())
        ::kill(pid_t(office), SIGKILL);
    soffice.kill();
    soffice.waitForFinished();
    return -1;
}
