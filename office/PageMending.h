// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page as the office wrote it, mended in one pass where the export falls short of what the
// document shows:
// - the style sheet gives no writing direction, so that paragraphs and tables read in the
//   direction of their dir attribute or of what holds them (the export writes the page's
//   direction into every rule, and a rule outweighs the attribute);
// - a paragraph's own alignment outweighs the alignment of its style;
// - page numbers and page counts show nothing, a web page having no pages; file-name fields show
//   the document's name, never the folder it was converted in;
// - at the marks placed in the document before the export, list items show the document's own
//   label, deleted text is marked <del> and inserted text <ins>;
// - a page that stands alone (Filtered) shows only the pictures it holds: those the document only
//   links to (an address, a file of the user's) are not fetched for it, so the export leaves them
//   as empty pictures or links, and they are left out.

#include "PageMarks.h"

#include <QByteArray>
#include <QString>

// What the mending needs to know of the document.
struct PageFacts {
    QString documentName;     // its file name, as its user knows it
    bool standsAlone = false; // the page holds its pictures (Filtered)
    PageMarks marks;
};

// page is the page in UTF-8, as the office wrote it.
QByteArray MendPage(const QByteArray &page, const PageFacts &facts);

// Mends the page file at path in place; throws PageWriteFailure when it cannot be read or
// written.
void MendPageFile(const QString &path, const PageFacts &facts);
