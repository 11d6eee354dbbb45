// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Word1.h"

#include "ObjectRegistry.h"
#include "Platform.h"
#include "WordClass.h"

namespace Word1 {

bool IsWordRunning()
{
    try {
        // This program's own offices are no Word of the user's, also those still ending after a
        // failed run.
        const ObjectRef word = FindInstanceOfAnotherProcess(WordClass);
        return word->DefaultMember().toText() == QLatin1String("Microsoft Word");
    } catch (...) {
        // Whatever stands in the way of the answer, Word does not count as running.
        return false;
    }
}

bool WarnIfWordRunning(Dialogs &dialogs, QWidget *owner)
{
    if (!IsWordRunning())
        return false;
    // Two line feeds leave one empty line between the warning and the question.
    const QString prompt = QStringLiteral("Word may be open. It is recommended that you close Word first.\n\n"
                                          "Would you like to proceed anyway?");
    return !dialogs.askYesNo(owner, prompt);
}

} // namespace Word1
