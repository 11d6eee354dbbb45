// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnexpectedFailure.h"

#include "Platform.h"

#include <new>

QString DescribeUnexpected(const std::exception_ptr &failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc &) {
        return QStringLiteral("there was not enough memory");
    } catch (const std::exception &error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("an unexpected error occurred");
    }
}

QString FailedMessage(const QString &what, const QString &why)
{
    return QStringLiteral("%1 failed: %2.").arg(what, why);
}

void RunCommand(Dialogs &dialogs, QWidget *owner, const QString &what, const std::function<void()> &command)
{
    try {
        command();
    } catch (...) {
        dialogs.information(owner, FailedMessage(what, DescribeUnexpected(std::current_exception())));
    }
}
