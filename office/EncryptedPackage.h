// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells an encrypted Office Open XML document (.docx and the like saved with a password to
// open) from a damaged one. Such a document is no zip package but a compound file holding
// the streams EncryptionInfo and EncryptedPackage; the office's type detection, run without a
// view, reports it as a broken package instead of asking for its password.

#include <QString>

bool IsEncryptedOfficePackage(const QString &path);
