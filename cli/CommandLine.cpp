// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "ConversionJobs.h"
#include "NameBytes.h"

#include <QCommandLineParser>

namespace {

const QString DefaultExtension = QStringLiteral("do*");

// "K/N" with 1 <= K <= N.
std::optional<Shard> shardOf(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 2)
        return std::nullopt;
    bool indexIsNumber = false, countIsNumber = false;
    const Shard shard{parts.at(0).toInt(&indexIsNumber), parts.at(1).toInt(&countIsNumber)};
    if (!indexIsNumber || !countIsNumber || shard.index < 1 || shard.index > shard.count)
        return std::nullopt;
    return shard;
}

// The options for archives: where the pages go, which documents, and the report.
struct ArchiveOptions {
    const QCommandLineOption outputDir{QStringLiteral("output-dir"), QString(), QStringLiteral("DIR")};
    const QCommandLineOption newer{QStringLiteral("newer")};
    const QCommandLineOption filesFrom{QStringLiteral("files-from"), QString(), QStringLiteral("FILE")};
    const QCommandLineOption null{QStringLiteral("null")};
    const QCommandLineOption shard{QStringLiteral("shard"), QString(), QStringLiteral("K/N")};
    const QCommandLineOption report{QStringLiteral("report"), QString(), QStringLiteral("FILE")};

    explicit ArchiveOptions(QCommandLineParser &parser)
    {
        parser.addOptions({outputDir, newer, filesFrom, null, shard, report});
    }

    // Takes them from the parsed parser into options; what is wrong with them, if anything.
    std::optional<UsageError> read(const QCommandLineParser &parser, ConvertOptions &options) const
    {
        for (const auto &[option, value] :
             {std::pair(&outputDir, &options.outputDir), std::pair(&filesFrom, &options.filesFrom),
              std::pair(&report, &options.report)}) {
            *value = parser.value(*option);
            if (parser.isSet(*option) && value->isEmpty())
                return UsageError{QStringLiteral("--%1 needs a name.").arg(option->names().front())};
        }
        options.newer = parser.isSet(newer);
        options.nullSeparated = parser.isSet(null);
        if (options.nullSeparated && options.filesFrom.isEmpty())
            return UsageError{QStringLiteral("--null goes with --files-from.")};
        if (parser.isSet(shard)) {
            options.shard = shardOf(parser.value(shard));
            if (!options.shard)
                return UsageError{QStringLiteral("--shard needs K/N, whole numbers with 1 <= K <= N, not '%1'.")
                                      .arg(ReadableName(parser.value(shard)))};
        }
        return std::nullopt;
    }
};

} // namespace

QStringList ArgumentsFrom(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << NameFromBytes(argv[i]);
    return arguments;
}

ParsedCommandLine ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption filtered(QStringLiteral("filtered"));
    const QCommandLineOption extension(QStringLiteral("extension"), QString(), QStringLiteral("EXT"));
    const QCommandLineOption jobs(QStringLiteral("jobs"), QString(), QStringLiteral("N"));
    const QCommandLineOption keepGoing(QStringLiteral("keep-going"));
    const QCommandLineOption quiet(QStringLiteral("quiet"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({filtered, extension, jobs, keepGoing, quiet, help, version});
    const ArchiveOptions archive(parser);
    if (!parser.parse(arguments))
        return UsageError{ReadableName(parser.errorText())};
    if (parser.isSet(help))
        return HelpRequested{};
    if (parser.isSet(version))
        return VersionRequested{};

    ConvertOptions options;
    options.filtered = parser.isSet(filtered);
    options.extension = parser.isSet(extension) ? parser.value(extension) : DefaultExtension;
    if (options.extension.isEmpty())
        return UsageError{QStringLiteral("--extension needs an extension, such as doc or do*.")};
    options.jobs = DefaultJobCount();
    if (parser.isSet(jobs)) {
        bool isNumber = false;
        options.jobs = parser.value(jobs).toInt(&isNumber);
        if (!isNumber || options.jobs < 1)
            return UsageError{QStringLiteral("--jobs needs a positive whole number, not '%1'.")
                                  .arg(ReadableName(parser.value(jobs)))};
        if (options.jobs > MaxJobCount)
            return UsageError{QStringLiteral("--jobs takes at most %1, as many offices as can run at once, not %2.")
                                  .arg(QString::number(MaxJobCount), QString::number(options.jobs))};
    }
    options.keepGoing = parser.isSet(keepGoing);
    options.quiet = parser.isSet(quiet);
    if (std::optional<UsageError> error = archive.read(parser, options))
        return *error;
    options.paths = parser.positionalArguments();
    if (options.paths.isEmpty() && options.filesFrom.isEmpty())
        return UsageError{QStringLiteral("No document or folder given.")};
    return options;
}

QString UsageLine()
{
    return QStringLiteral(
        "Usage: quorvane-convert [--filtered] [--extension EXT] [--jobs N] [--keep-going] [--quiet] "
        "[--output-dir DIR] [--newer] [--files-from FILE [--null]] [--shard K/N] [--report FILE] [--] PATH...");
}

QString HelpText()
{
    return UsageLine()
           + QStringLiteral(R"(

Converts Word documents to HTML: each is saved beside itself (or below DIR), its extension
replaced by .htm.
Each PATH is a document, or a folder searched with every folder beneath it for the files *.EXT
(names starting with "~", hidden folders and links to folders left out).

  --filtered       Filtered HTML, one self-contained page (default: Normal HTML,
                   pictures as files beside the page)
  --extension EXT  the extension of the documents taken from folders; * and ? match
                   any characters (default: %1)
  --jobs N         documents converted at once, at most %3 (default: %2 here)
  --keep-going     go on after a failure and list the failures at the end (default:
                   the first failure ends the run)
  --quiet          print failures only
  --output-dir DIR write the pages under DIR, each at its document's place below the
                   PATH it was found under (a document given by itself: in DIR); the
                   documents are only read
  --newer          leave a page that is newer than its document as it is, counted
                   as up to date
  --files-from FILE
                   convert the documents listed in FILE too, one a line ("-": standard
                   input); below DIR each keeps its path from the current folder
  --null           the names in that list end with a NUL, not a line break
  --shard K/N      convert only shard K of N: the documents whose place below their
                   PATH has an FNV-1a 64 hash that leaves K-1 divided by N
  --report FILE    write one JSON object a line for each document to FILE
  -h, --help       print this help
  --version        print the version
  --               every argument after it is a PATH, also one that begins with "-"

Two documents whose pages would be one file: the later one is not converted.
Exit status: 0 every document converted or up to date, 1 one or more not converted,
2 bad usage.
)")
                 .arg(DefaultExtension, QString::number(DefaultJobCount()), QString::number(MaxJobCount));
}

QString VersionText()
{
    return QStringLiteral("quorvane-convert " QUORVANE_VERSION "\n");
}
