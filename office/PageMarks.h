// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Places in a document that the export writes no differently from the text around them, marked
// before the export so that the page holds a comment <!--<prefix><n>--> at each, where the page
// is to be mended.

#include <QString>

#include <vector>

struct PageMark {
    enum class Kind {
        ListItem,     // a list item whose label the document shows as label
        ChangeBegins, // a tracked change, which deletes or inserts the text after it
        ChangeEnds
    };
    Kind kind;
    QString label;         // ListItem: the label as the document shows it, empty where it shows none
    int change = 0;        // ChangeBegins, ChangeEnds: which change, the same at its beginning and its end
    bool deletion = false; // ChangeBegins: the change is a deletion, not an insertion
};

struct PageMarks {
    // Drawn at random for each document, so that nothing of the document itself passes for a mark.
    QString prefix;
    std::vector<PageMark> marks; // marks[n] is the comment holding prefix + n

    QString nameOf(std::size_t mark) const { return prefix + QString::number(mark); }
};
