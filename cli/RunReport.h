// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report of --report: JSON Lines, one object a line for each document, written and flushed
// as the document is put in place, fails or is left out, so that the report of an interrupted
// run is valid up to its last line. Each object holds "document", "page", "status" (converted,
// failed, up_to_date, not_tried), "error" (the error number, or null), "description" and
// "seconds". A name is JSON text; a name whose bytes are not UTF-8 shows each such byte as \xNN
// and its exact bytes follow in "document_bytes" or "page_bytes", in base64.

#include <QFile>
#include <QString>

#include <optional>

class RunReport {
public:
    enum class Status { Converted, Failed, UpToDate, NotTried };
    struct Entry {
        QString document;
        QString page;
        Status status = Status::Converted;
        std::optional<int> error;
        QString description;
        double seconds = 0;
    };

    // Writes to file from now on, emptied first; false with the reason in error when it cannot.
    // Without a file nothing is written.
    bool open(const QString &file, QString &error);
    void write(const Entry &entry);

private:
    QFile file_;
};
