// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFailure.h"

#include "AutomationError.h"
#include "NameBytes.h"
#include "UnexpectedFailure.h"

DocumentFailure CaughtFailure(int position, const QString &path)
{
    try {
        throw;
    } catch (const AutomationError &error) {
        return {position, path, error.number(), error.description()};
    } catch (...) {
        return {position, path, std::nullopt, DescribeUnexpected(std::current_exception())};
    }
}

QString NotConvertedAfter(qsizetype count)
{
    return count == 1 ? QStringLiteral("The document after it was not converted")
                      : QStringLiteral("The %1 documents after it were not converted").arg(count);
}

QString FailureMessage(const DocumentFailure &failure, qsizetype notConverted)
{
    QString message = QStringLiteral("The document \"%1\" could not be converted.\n\n").arg(ReadableName(failure.path));
    if (failure.number)
        message += QStringLiteral("Error %1: %2").arg(*failure.number).arg(failure.description);
    else
        message += FailedMessage(QStringLiteral("The conversion"), failure.description);
    if (notConverted > 0)
        message += QStringLiteral("\n\n") + NotConvertedAfter(notConverted) + QLatin1Char('.');
    return message;
}

QString FailureLine(const DocumentFailure &failure)
{
    if (failure.number)
        return QStringLiteral("%1: error %2: %3")
            .arg(failure.path, QString::number(*failure.number), failure.description);
    return QStringLiteral("%1: unexpected failure, without an error number: %2").arg(failure.path, failure.description);
}
