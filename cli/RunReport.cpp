// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunReport.h"

#include "LocalPaths.h"
#include "NameBytes.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

#include <fcntl.h>
#include <unistd.h>

namespace {

const char *statusText(RunReport::Status status)
{
    switch (status) {
    case RunReport::Status::Converted:
        return "converted";
    case RunReport::Status::Failed:
        return "failed";
    case RunReport::Status::UpToDate:
        return "up_to_date";
    case RunReport::Status::NotTried:
        break;
    }
    return "not_tried";
}

// key: the name as it is; key_bytes: its bytes too, when they are not UTF-8, and then the name
// in its readable form.
void putName(QJsonObject &object, const QString &key, const QString &name)
{
    if (NameWithReplacements(name) == name) {
        object.insert(key, name);
        return;
    }
    object.insert(key, ReadableName(name));
    object.insert(key + QStringLiteral("_bytes"), QString::fromLatin1(NameToBytes(name).toBase64()));
}

} // namespace

bool RunReport::open(const QString &file, QString &error)
{
    const int fd = ::open(NameToBytes(file).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd >= 0 && file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return true;
    if (fd >= 0)
        ::close(fd);
    const QString why = SystemReason();
    error = QStringLiteral("the report '%1' cannot be written (%2).").arg(ReadableName(file), why);
    return false;
}

void RunReport::write(const Entry &entry)
{
    if (!file_.isOpen())
        return;
    QJsonObject object;
    putName(object, QStringLiteral("document"), entry.document);
    putName(object, QStringLiteral("page"), entry.page);
    object.insert(QStringLiteral("status"), QLatin1String(statusText(entry.status)));
    object.insert(QStringLiteral("error"), entry.error ? QJsonValue(*entry.error) : QJsonValue());
    object.insert(QStringLiteral("description"), ReadableName(entry.description));
    object.insert(QStringLiteral("seconds"), std::round(entry.seconds * 1000) / 1000);
    file_.write(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
    file_.flush();
}
