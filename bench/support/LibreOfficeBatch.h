// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// LibreOffice's own batch conversion, the benchmarks' point of comparison.

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QUrl>

// Converts documents to HTML in outputFolder with one soffice call on profile (prepared by an
// earlier call, so that no first start is counted); the seconds it took.
inline double LibreOfficeBatchSeconds(const QStringList &documents, const QString &outputFolder, const QString &profile)
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
    soffice.waitForFinished(-1);
    return timer.nsecsElapsed() / 1e9;
}
