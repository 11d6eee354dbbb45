// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddWordFiles.h"

#include "CommonDialog.h"
#include "DocumentList.h"
#include "Platform.h"

void AddWordFiles(CommonDialog &dialog, Dialogs &dialogs, QWidget *owner, DocumentList &list)
{
    dialog.FileName = QString();
    dialog.Flags = 2621953; // read-only box, multiple selection, explorer style, long names
    dialog.DialogTitle = QStringLiteral("Add File(s) - Hold Ctrl to select multiple files");
    dialog.Filter = QStringLiteral("Word Documents (*.do*)|*.do*|All Files (*.*)|*.*");
    if (!dialog.ShowOpen(owner, dialogs)) {
        dialogs.information(owner, QStringLiteral("The file dialog could not be shown. No files were added."));
        return;
    }
    if (dialog.FileName.isEmpty())
        return;

    const QStringList parts = dialog.FileName.split(QChar(0));
    if (parts.size() == 1) {
        list.AddDocumentPath(dialog.FileName);
        return;
    }
    for (qsizetype i = 1; i < parts.size(); ++i)
        list.AddDocumentPath(
            QString(parts[0] + QLatin1Char('/') + parts[i]).replace(QStringLiteral("//"), QStringLiteral("/")));
}
