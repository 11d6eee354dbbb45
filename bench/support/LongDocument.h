// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Long documents full of lists, as reports and contracts are, written as RTF: three paragraphs in
// four are items of one list, one item in ten has a highlighted word, and with
// highlightedThroughout one item in ten is highlighted throughout as well.

#include <QByteArray>
#include <QFile>
#include <QString>

// List labels as RTF gives them: the level's text and where its number stands.
inline constexpr const char *PlainListLabel = "\\'02\\'00.;}{\\levelnumbers\\'01;"; // "1.", as browsers label
inline constexpr const char *OwnListLabel = "\\'03(\\'00);}{\\levelnumbers\\'02;";  // "(1)", labelled by the page

inline QByteArray LongListDocument(int paragraphs, const char *label, bool highlightedThroughout)
{
    QByteArray text = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}{\\colortbl;\\red255\\green255\\blue0;}\n"
                      "{\\*\\listtable{\\list\\listtemplateid1\\listsimple{\\listlevel\\levelnfc0\\levelstartat1"
                      "\\levelfollow0{\\leveltext";
    text += label;
    text += "}\\fi-360\\li720}\\listid1}}\n"
            "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\n";
    for (int paragraph = 0; paragraph < paragraphs; ++paragraph) {
        const QByteArray number = QByteArray::number(paragraph);
        if (paragraph % 4 == 3)
            text += "\\pard\\plain Paragraph " + number + " of plain text between the items.\\par\n";
        else if (paragraph % 10 == 0 && highlightedThroughout)
            text += "\\pard\\plain\\ls1\\ilvl0\\fi-360\\li720\\highlight1 Item " + number + ", highlighted.\\par\n";
        else if (paragraph % 10 == 5)
            text += "\\pard\\plain\\ls1\\ilvl0\\fi-360\\li720 Item " + number
                    + " with a {\\highlight1 marked} word.\\par\n";
        else
            text += "\\pard\\plain\\ls1\\ilvl0\\fi-360\\li720 Item " + number + " of the list.\\par\n";
    }
    return text + "}\n";
}

// Writes such a document to path; false when it cannot.
inline bool WriteLongListDocument(const QString &path, int paragraphs, const char *label, bool highlightedThroughout)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
           && file.write(LongListDocument(paragraphs, label, highlightedThroughout)) >= 0;
}
