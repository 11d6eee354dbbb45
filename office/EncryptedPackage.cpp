// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EncryptedPackage.h"

#include "LocalPaths.h"

#include <QFile>

bool IsEncryptedOfficePackage(const QString &path)
{
    static const QByteArray compoundFileSignature = QByteArray::fromHex("d0cf11e0a1b11ae1");
    // Directory entries name their streams in UTF-16LE.
    static const QByteArray encryptedPackageStream = QByteArray::fromRawData(
        reinterpret_cast<const char *>(u"EncryptedPackage"), 2 * 16);
    QFile file;
    if (!OpenFile(file, path, QIODevice::ReadOnly) || file.read(compoundFileSignature.size()) != compoundFileSignature)
        return false;
    return file.readAll().contains(encryptedPackageStream);
}
