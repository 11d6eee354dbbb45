// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What confining the offices costs: the test documents known to convert (about fifty) and those
// of 1 MB or more among them, each set converted one document after another as a run converts
// them (ConvertDocument, pooled offices), alternately with the offices in their sandbox and
// without it, in the same run. Each conversion of a set starts cold: its first document pays for
// an office start. Prints the median of the rounds for each and their ratio.
//
// bench_confinement [--filtered] [rounds]

#include "ConvertDocument.h"
#include "ConvertibleDocuments.h"
#include "OfficeEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Converts copies of sources in folder with the offices confined or not; seconds, and how many
// failed.
std::pair<double, int> convert(const QStringList &sources, const QString &folder, bool confined, std::int32_t format)
{
    OfficeSettings settings = DefaultOfficeSettings();
    if (!confined)
        settings.sandbox.clear();
    RegisterOfficeEngine(settings); // ends the offices of the other setting: a cold start
    const QStringList documents = CopiedInto(folder, sources);
    int failed = 0;
    QElapsedTimer timer;
    timer.start();
    for (const QString &document : documents) {
        try {
            ConvertDocument(document, [format] { return format; });
        } catch (const AutomationError &) {
            ++failed;
        }
    }
    return {timer.nsecsElapsed() / 1e9, failed};
}

void measure(const char *title, const QStringList &sources, std::int32_t format, int rounds, const QString &work)
{
    std::vector<double> confined, open;
    int failed = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const bool sandbox : {true, false}) {
            const QString folder = work + QStringLiteral("/%1-%2-%3").arg(title).arg(round).arg(sandbox);
            const auto [seconds, failures] = convert(sources, folder, sandbox, format);
            (sandbox ? confined : open).push_back(seconds);
            failed += failures;
        }
    }
    std::printf("%-12s %9lld %12.2f %12.2f %7.3f %7d\n", title, qlonglong(sources.size()), median(confined),
                median(open), median(confined) / median(open), failed);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool filtered = arguments.removeAll(QStringLiteral("--filtered")) > 0;
    const int rounds = arguments.isEmpty() ? 3 : std::max(1, arguments.first().toInt());
    const std::int32_t format = filtered ? WordSaveFormat::FilteredHtml : WordSaveFormat::Html;
    if (const QString missing =
            [] {
                RegisterOfficeEngine();
                return MissingOfficeProtection();
            }();
        !missing.isEmpty()) {
        std::printf("offices cannot be confined here: %s\n", qPrintable(missing));
        return 1;
    }
    const QStringList convertible = ConvertibleTestDocuments();
    QStringList large;
    for (const QString &document : convertible)
        if (QFileInfo(document).size() >= 1024 * 1024)
            large << document;
    QTemporaryDir work;
    std::printf("format %d, %d rounds, one document at a time, medians\n", format, rounds);
    std::printf("%-12s %9s %12s %12s %7s %7s\n", "set", "documents", "confined s", "unconfined s", "ratio", "failed");
    measure("convertible", convertible, format, rounds, work.path());
    measure("large", large, format, rounds, work.path());
    return 0;
}
