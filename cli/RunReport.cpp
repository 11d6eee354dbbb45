// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunReport.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

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

// A byte of a name that is not UTF-8 is held as a lone low surrogate U+DC80..U+DCFF.
bool isHeldByte(const QString &name, qsizetype i)
{
    const char16_t unit = name.at(i).unicode();
    return unit >= 0xDC80 && unit <= 0xDCFF && (i == 0 || !name.at(i - 1).isHighSurrogate());
}

QString readable(const QString &name)
{
    QString text;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isHeldByte(name, i))
            text += QStringLiteral("\\x%1").arg(name.at(i).unicode() - 0xDC00, 2, 16, QLatin1Char('0')).toUpper();
        else
            text += name.at(i);
    }
    return text;
}

// key: the name's text; key_bytes: its bytes, only when they are not UTF-8.
void putName(QJsonObject &object, const QString &key, const QString &name)
{
    const QString text = readable(name);
    object.insert(key, text);
    if (text != name)
        object.insert(key + QStringLiteral("_bytes"), QString::fromLatin1(QFile::encodeName(name).toBase64()));
}

} // namespace

bool RunReport::open(const QString &file, QString &error)
{
    file_.setFileName(file);
    if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    error = QStringLiteral("the report '%1' cannot be written (%2).").arg(file, file_.errorString());
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
    object.insert(QStringLiteral("description"), entry.description);
    object.insert(QStringLiteral("seconds"), std::round(entry.seconds * 1000) / 1000);
    file_.write(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
    file_.flush();
}
