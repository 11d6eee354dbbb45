// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "ConversionJobs.h"
#include "NameBytes.h"

#include <QCommandLineParser>

namespace {
const QString DefaultExtension = QStringLiteral("do*");
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
    options.paths = parser.positionalArguments();
    if (options.paths.isEmpty())
        return UsageError{QStringLiteral("No document or folder given.")};
    return options;
}

QString UsageLine()
{
    return QStringLiteral(
        "Usage: quorvane-convert [--filtered] [--extension EXT] [--jobs N] [--keep-going] [--quiet] [--] PATH...");
}

QString HelpText()
{
    return UsageLine()
           + QStringLiteral(R"(

Converts Word documents to HTML: each is saved beside itself, its extension replaced by .htm.
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
  -h, --help       print this help
  --version        print the version
  --               every argument after it is a PATH, also one that begins with "-"

Exit status: 0 every document converted, 1 one or more not converted, 2 bad usage.
)")
                 .arg(DefaultExtension, QString::number(DefaultJobCount()), QString::number(MaxJobCount));
}

QString VersionText()
{
    return QStringLiteral("quorvane-convert " QUORVANE_VERSION "\n");
}
