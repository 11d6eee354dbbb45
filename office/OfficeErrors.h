// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every failure the office engine reports, worded in one place: what went wrong, with which
// document or step, and what the user can do about it.

#include "AutomationError.h"

#include <QString>

#include <chrono>

namespace OfficeErrors {

// The office cannot be started or reached at all.
AutomationError notInstalled(const QString &program);
AutomationError runtimeMissing();
AutomationError profileNotPrepared(const QString &path, const QString &reason);
AutomationError allProfilesInUse(int count);
AutomationError startTimedOut(std::chrono::milliseconds limit);
AutomationError endedWhileStarting(int exitCode);
AutomationError unreachable(const QString &officeMessage);
// A failure of the office that no step of the engine foresaw.
AutomationError failedUnexpectedly(const QString &officeMessage);

// A call into a running office; task names it ("opening \"a.doc\"").
AutomationError callTimedOut(const QString &task, std::chrono::milliseconds limit);
AutomationError gone(const QString &task);
AutomationError alreadyQuit(const QString &task);

// The document itself: path is its path, shown readably (see ReadableName); document is that
// readable path in quotes.
AutomationError documentNotFound(const QString &path);
AutomationError folderNotDocument(const QString &path);
AutomationError notADocumentFile(const QString &path);
AutomationError documentUnreadable(const QString &path);
// The office's own copy of the document could not be made (its folder full, say).
AutomationError notHandedIn(const QString &path, const QString &reason);
AutomationError passwordProtected(const QString &document);
AutomationError damaged(const QString &document);
AutomationError unreadableFormat(const QString &document);

// Saving it as a web page.
AutomationError fileNameMissing(const QString &document);
AutomationError unsupportedFormat(const QString &document, int format);
AutomationError wouldSaveOverItself(const QString &document);
// Why the office could not write a page, as far as its message tells: its error area and code.
QString pageNotWritten(const QString &officeMessage);

// The office's own message without what means nothing to the user: source locations, names of
// its internal types and functions, the URLs of staging folders.
QString plainOfficeMessage(const QString &officeMessage);

} // namespace OfficeErrors
