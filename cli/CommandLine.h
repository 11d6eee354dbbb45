// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of quorvane-convert: its options, the documents and folders to convert, and
// the usage text.

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// One of count shards, index 1 to count.
struct Shard {
    int index = 1;
    int count = 1;
};

struct ConvertOptions {
    bool filtered = false; // Filtered HTML rather than Normal
    QString extension;     // of the documents found in folders
    int jobs = 0;          // documents converted at once
    bool keepGoing = false;
    bool quiet = false;
    QStringList paths;          // documents and folders, in the order given
    QString outputDir;          // where the pages go, mirroring the documents' places; empty: beside each
    bool newer = false;         // a page newer than its document is left as it is
    QString filesFrom;          // a list of documents, "-" for standard input; empty: none
    bool nullSeparated = false; // the list's names end with a NUL, not a line break
    std::optional<Shard> shard;
    QString report; // the file of the JSON Lines report; empty: none
};

struct HelpRequested {};
struct VersionRequested {};

// What is wrong with the command line, in one line.
struct UsageError {
    QString message;
};

using ParsedCommandLine = std::variant<ConvertOptions, HelpRequested, VersionRequested, UsageError>;

// The program's name and its arguments as main receives them, each keeping every byte (see
// NameBytes): a name that is not UTF-8 still names its file.
QStringList ArgumentsFrom(int argc, char *argv[]);

// arguments: the program's name, then its arguments.
ParsedCommandLine ParseCommandLine(const QStringList &arguments);

// The one-line synopsis.
QString UsageLine();
// What --help prints.
QString HelpText();
// What --version prints.
QString VersionText();
