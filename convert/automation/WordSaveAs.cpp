// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordSaveAs.h"

NamedArguments SaveAsArguments(const QString &fileName, std::int32_t format)
{
    const Variant no = Variant::fromBool(false);
    return {
        {QStringLiteral("FileName"), fileName},
        {QStringLiteral("FileFormat"), format},
        {QStringLiteral("LockComments"), no},
        {QStringLiteral("Password"), QString()},
        {QStringLiteral("AddToRecentFiles"), Variant::fromBool(true)},
        {QStringLiteral("WritePassword"), QString()},
        {QStringLiteral("ReadOnlyRecommended"), no},
        {QStringLiteral("EmbedTrueTypeFonts"), no},
        {QStringLiteral("SaveNativePictureFormat"), no},
        {QStringLiteral("SaveFormsData"), no},
        {QStringLiteral("SaveAsAOCELetter"), no},
    };
}

QStringList SaveAsParameters()
{
    QStringList names;
    for (const auto &[name, value] : SaveAsArguments({}, 0))
        names << name;
    return names;
}
