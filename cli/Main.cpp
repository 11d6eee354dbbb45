// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quorvane-convert [--filtered] [--extension EXT] [--jobs N] [--keep-going] [--quiet] [--] PATH...
#include "CommandLine.h"
#include "ConvertCommand.h"
#include "DocumentGathering.h"
#include "FolderImport.h"
#include "InterruptSignals.h"
#include "NameBytes.h"
#include "OfficeEngine.h"
#include "RunOutput.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int BadUsage = 2;

int badUsage(const QString &message)
{
    std::fprintf(stderr, "quorvane-convert: %s\n%s\n", qPrintable(message), qPrintable(UsageLine()));
    return BadUsage;
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
    const QString missing = FirstMissingPath(options.paths);
    if (!missing.isEmpty())
        return badUsage(QStringLiteral("'%1' does not exist.").arg(ReadableName(missing)));

    RunOutput output(options.quiet);
    InterruptSignals interrupts([&output] { output.interrupted(); });
    RegisterOfficeEngine();
    if (const QString missing = MissingOfficeProtection(); !missing.isEmpty())
        output.warn(QStringLiteral("warning: LibreOffice runs without its sandbox, since %1: a document may make it "
                                   "reach the network or read your files.")
                        .arg(missing));
    const GatheredDocuments gathered = GatherDocuments(options.paths, options.extension);
    if (!gathered.unreadFolders.isEmpty())
        output.warn(
            AddFolder::UnreadFoldersMessage(gathered.unreadFolders).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    if (gathered.documents.isEmpty()) {
        if (!options.quiet)
            output.warn(QStringLiteral("no document found to convert."));
        return 0;
    }
    const int status = ConvertDocuments(gathered.documents, options, output, interrupts);
    interrupts.endIfArrived();
    return status;
}
