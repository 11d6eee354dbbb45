// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quorvane-convert [--filtered] [--extension EXT] [--jobs N] [--keep-going] [--quiet]
//                  [--output-dir DIR] [--newer] [--files-from FILE [--null]] [--shard K/N]
//                  [--report FILE] [--] PATH...
#include "CommandLine.h"
#include "ConvertCommand.h"
#include "DocumentGathering.h"
#include "DocumentListFile.h"
#include "FolderImport.h"
#include "InterruptSignals.h"
#include "NameBytes.h"
#include "OfficeEngine.h"
#include "PageTargets.h"
#include "RunOutput.h"
#include "RunPlan.h"
#include "RunReport.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int BadUsage = 2;

int badUsage(const QString &message)
{
    std::fprintf(stderr, "quorvane-convert: %s\n%s\n", qPrintable(message), qPrintable(UsageLine()));
    return BadUsage;
}

// What keeps the run from starting: a list that cannot be read, a document or folder that does
// not exist, an output folder or a report that cannot be made; empty when nothing does. listed
// receives the documents of the list.
QString whyNotStarting(const ConvertOptions &options, QStringList &listed, RunReport &report)
{
    if (!options.filesFrom.isEmpty()) {
        const auto list = ReadDocumentList(options.filesFrom, options.nullSeparated);
        if (const auto *notRead = std::get_if<ListNotRead>(&list))
            return notRead->message;
        listed = std::get<QStringList>(list);
    }
    const QString missing = FirstMissingPath(options.paths + listed);
    if (!missing.isEmpty())
        return QStringLiteral("'%1' does not exist.").arg(ReadableName(missing));
    if (!options.outputDir.isEmpty() && !MakeOutputFolder(options.outputDir))
        return QStringLiteral("the output folder '%1' cannot be made.").arg(ReadableName(options.outputDir));
    QString error;
    if (!options.report.isEmpty() && !report.open(options.report, error))
        return error;
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const ParsedCommandLine parsed = ParseCommandLine(ArgumentsFrom(argc, argv));
    if (std::holds_alternative<HelpRequested>(parsed)) {
        std::printf("%s", qPrintable(HelpText()));
        return 0;
    }
    if (std::holds_alternative<VersionRequested>(parsed)) {
        std::printf("%s", qPrintable(VersionText()));
        return 0;
    }
    if (const auto *error = std::get_if<UsageError>(&parsed))
        return badUsage(error->message);
    const ConvertOptions &options = std::get<ConvertOptions>(parsed);
    QStringList listed;
    RunReport report;
    if (const QString notStarting = whyNotStarting(options, listed, report); !notStarting.isEmpty())
        return badUsage(notStarting);

    RunOutput output(options.quiet);
    InterruptSignals interrupts([&output] { output.interrupted(); });
    RegisterOfficeEngine();
    if (const QString missing = MissingOfficeProtection(); !missing.isEmpty())
        output.warn(QStringLiteral("warning: LibreOffice runs without its sandbox, since %1: a document may make it "
                                   "reach the network or read your files.")
                        .arg(missing));
    GatheredDocuments gathered = GatherDocuments(options.paths, options.extension);
    AddListedDocuments(gathered, listed);
    if (!gathered.unreadFolders.isEmpty())
        output.warn(
            AddFolder::UnreadFoldersMessage(gathered.unreadFolders).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    const RunPlan plan = PlanRun(gathered, options);
    for (qsizetype i = 0; i < plan.upToDate.size(); ++i)
        report.write({plan.upToDate.at(i), plan.upToDatePages.at(i), RunReport::Status::UpToDate, {}, {}, 0});
    if (plan.documents.isEmpty()) {
        if (plan.upToDate.isEmpty() && !options.quiet)
            output.warn(QStringLiteral("no document found to convert."));
        output.upToDate(plan.upToDate.size());
        return 0;
    }
    const int status = ConvertDocuments(plan, options, output, report, interrupts);
    interrupts.endIfArrived();
    output.upToDate(plan.upToDate.size());
    return status;
}
