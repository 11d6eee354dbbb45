// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Add Word File(s)": the user picks documents in the file-open dialog; each goes to the end
// of the list.

class CommonDialog;
class Dialogs;
class DocumentList;
class QWidget;

// Shows dialog (modal to owner) with the command's settings and appends every chosen file in
// the dialog's order. A cancelled dialog adds nothing; a dialog that cannot be shown adds
// nothing and says so.
void AddWordFiles(CommonDialog &dialog, Dialogs &dialogs, QWidget *owner, DocumentList &list);
