// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file-open dialog of the main window. It takes its settings as fields (file name, flags,
// title, filter as "description|pattern|description|pattern") and returns the file name in one
// text: one full path, or the folder followed by NUL and each chosen name.

#include <QString>
#include <QStringList>

class Dialogs;
class QWidget;

class CommonDialog {
public:
    // Open-dialog flags that change what is shown or returned; the others are accepted and
    // have no counterpart here.
    static constexpr long OFN_ALLOWMULTISELECT = 0x200;

    QString FileName;
    long Flags = 0;
    QString DialogTitle;
    QString Filter;

    // Shows the dialog modally. FileName is empty afterwards when nothing was chosen; the files
    // chosen are named by their real names, also where the dialog shows names that are not UTF-8
    // otherwise. Returns false when the dialog itself failed; FileName is then empty as well.
    bool ShowOpen(QWidget *owner, Dialogs &dialogs);

    // The filter text as Qt name filters, patterns matched with letter case ignored, and "*.*"
    // naming every file, with a dot or without.
    static QStringList nameFiltersFrom(const QString &filter);
    // The chosen full paths in the dialog's file name form: one path, or the common
    // folder followed by NUL and each name relative to it.
    static QString fileNameFrom(const QStringList &paths);
};
