// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a page could not be written beside its document, in the user's words.

#include <QString>

#include <stdexcept>

// Thrown by a page writer whose write failed; reason says why as far as the writer knows, in
// plain words.
class PageWriteFailure : public std::runtime_error {
public:
    explicit PageWriteFailure(const QString &reason)
        : std::runtime_error(reason.toStdString())
        , reason(reason)
    {
    }
    QString reason;
};

// What failed, with the system's reason for the last call that failed.
PageWriteFailure SystemWriteFailure(const QString &what);

// Bytes this user may still write on the device that holds folder; -1 when it cannot be told.
qint64 FreeSpace(const QString &folder);

// Why a file of that name (the page's, or a picture's beside it) cannot be written beside the page
// target: the name too long for its file system; empty when it fits.
QString NameTooLong(const QString &target, const QByteArray &name);

// What kept the page target from being written, looked up on the file system: no space left on
// its device (freeBefore bytes were free before the write), its folder not writable, or its name
// too long for the file system; otherwise writerSays.
QString WhyNotWritten(const QString &target, qint64 freeBefore, const QString &writerSays);
