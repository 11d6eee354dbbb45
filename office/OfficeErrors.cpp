// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfficeErrors.h"

#include "NameBytes.h"

#include <QRegularExpression>

namespace OfficeErrors {
namespace Number = AutomationErrorNumber;

namespace {
const QString Office = QStringLiteral("LibreOffice");
const QString Package = QStringLiteral("libreoffice-writer-nogui");

QString seconds(std::chrono::milliseconds duration)
{
    return QString::number(duration.count() / 1000.0, 'g', 3);
}
} // namespace

AutomationError notInstalled(const QString &program)
{
    return {Number::EngineNotInstalled, QStringLiteral("%1 cannot be started: \"%2\" is missing or not executable. "
                                                       "Install the package %3.")
                                            .arg(Office, program, Package)};
}

AutomationError runtimeMissing()
{
    return {
        Number::EngineNotInstalled,
        QStringLiteral("%1's runtime libraries could not be started. Install the package %2.").arg(Office, Package)};
}

AutomationError profileNotPrepared(const QString &path, const QString &reason)
{
    return {Number::EngineNotInstalled, QStringLiteral("The private %1 profile in \"%2\" could not be prepared: %3.")
                                            .arg(Office, ReadableName(path), reason)};
}

AutomationError allProfilesInUse(int count)
{
    return {
        Number::EngineBusy,
        QStringLiteral("All %1 private %2 profiles are in use by other conversions running for this user; wait until "
                       "some of them have ended, then try again.")
            .arg(count)
            .arg(Office)};
}

AutomationError startTimedOut(std::chrono::milliseconds limit)
{
    return {Number::EngineTimeout,
            QStringLiteral("%1 did not start within %2 seconds; its process was ended.").arg(Office, seconds(limit))};
}

AutomationError endedWhileStarting(int exitCode)
{
    return {Number::EngineGone, QStringLiteral("%1 ended while starting (exit code %2). Check that the package %3 is "
                                               "installed correctly.")
                                    .arg(Office)
                                    .arg(exitCode)
                                    .arg(Package)};
}

AutomationError unreachable(const QString &officeMessage)
{
    return {Number::EngineGone,
            QStringLiteral("%1 started but could not be reached (%2).").arg(Office, plainOfficeMessage(officeMessage))};
}

AutomationError failedUnexpectedly(const QString &officeMessage)
{
    return {Number::EngineGone,
            QStringLiteral("%1 failed unexpectedly (%2).").arg(Office, plainOfficeMessage(officeMessage))};
}

AutomationError callTimedOut(const QString &task, std::chrono::milliseconds limit)
{
    return {Number::EngineTimeout, QStringLiteral("%1 did not finish %2 within %3 seconds; its process was ended.")
                                       .arg(Office, task, seconds(limit))};
}

AutomationError gone(const QString &task)
{
    return {Number::EngineGone,
            QStringLiteral("%1 is no longer running: it ended while %2 or before.").arg(Office, task)};
}

AutomationError alreadyQuit(const QString &task)
{
    return {Number::EngineGone, QStringLiteral("The application has already quit; it cannot go on %1.").arg(task)};
}

AutomationError documentNotFound(const QString &path)
{
    return {Number::DocumentNotFound, QStringLiteral("The document \"%1\" was not found.").arg(ReadableName(path))};
}

AutomationError folderNotDocument(const QString &path)
{
    return {Number::DocumentNotFound, QStringLiteral("\"%1\" is a folder, not a document.").arg(ReadableName(path))};
}

AutomationError notADocumentFile(const QString &path)
{
    return {Number::DocumentNotFound, QStringLiteral("\"%1\" is not a document file.").arg(ReadableName(path))};
}

AutomationError documentUnreadable(const QString &path)
{
    return {Number::DocumentNotFound,
            QStringLiteral("The document \"%1\" cannot be read: permission denied.").arg(ReadableName(path))};
}

AutomationError notHandedIn(const QString &path, const QString &reason)
{
    return {Number::EngineGone, QStringLiteral("The document \"%1\" could not be handed to %2: its copy in %2's "
                                               "private folder could not be made (%3).")
                                    .arg(ReadableName(path), Office, reason)};
}

AutomationError passwordProtected(const QString &document)
{
    return {Number::PasswordProtected, QStringLiteral("The document %1 is password-protected; it cannot be converted "
                                                      "without its password.")
                                           .arg(document)};
}

AutomationError damaged(const QString &document)
{
    return {Number::DocumentDamaged, QStringLiteral("The document %1 is damaged and cannot be read.").arg(document)};
}

AutomationError unreadableFormat(const QString &document)
{
    return {Number::DocumentDamaged,
            QStringLiteral("The document %1 could not be read: it is damaged or not a document "
                           "%2 can open.")
                .arg(document, Office)};
}

AutomationError fileNameMissing(const QString &document)
{
    return {Number::WrongArgumentCount,
            QStringLiteral("SaveAs needs the name of the file to write (FileName) for %1.").arg(document)};
}

AutomationError unsupportedFormat(const QString &document, int format)
{
    return {Number::BadArgumentValue,
            QStringLiteral("%1 cannot be saved in format %2: only 8 (web page) and 10 (filtered "
                           "web page) are supported.")
                .arg(document, QString::number(format))};
}

AutomationError wouldSaveOverItself(const QString &document)
{
    return {Number::WouldOverwriteSource,
            QStringLiteral("%1 cannot be saved over itself; choose another file name.").arg(document)};
}

QString pageNotWritten(const QString &officeMessage)
{
    // "... failed: 0x507(Error Area:Io Class:Access Code:7) at ./sfx2/source/doc/...": area and code.
    static const QRegularExpression areaAndCode(QStringLiteral("Error Area:\\s*(\\w+).*?Code:\\s*(\\d+)"));
    const QRegularExpressionMatch found = areaAndCode.match(officeMessage);
    if (!found.hasMatch())
        return QStringLiteral("%1 could not write the page").arg(Office);
    return QStringLiteral("%1 could not write the page (error area %2, code %3)")
        .arg(Office, found.captured(1), found.captured(2));
}

QString plainOfficeMessage(const QString &officeMessage)
{
    static const QRegularExpression sourceLocation(QStringLiteral("\\s*\\bat \\S+\\.[ch]xx:\\d+"));
    static const QRegularExpression typeOrFunction(
        QStringLiteral("\\b(com\\.sun\\.star|css)\\.[\\w.]+:?|\\b\\w+(::\\w+)+\\b:?"));
    static const QRegularExpression fileUrl(QStringLiteral("<?file://[^\\s>]*>?"));
    QString plain = officeMessage;
    plain.remove(sourceLocation).remove(typeOrFunction).remove(fileUrl);
    return plain.simplified();
}

} // namespace OfficeErrors
