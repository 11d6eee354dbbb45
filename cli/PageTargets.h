// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where each document's page goes: beside the document, or with an output folder below it, at
// the document's place there, so that a source tree is only read and its pages form a tree of
// the same shape. Two documents whose pages would be one file are found before anything is
// converted, so that the later one never writes over the earlier one's page.

#include <QString>
#include <QStringList>

#include <vector>

struct PageTarget {
    QString page;
    QString folderBelow;     // the page's folder below the output folder, "" for the output folder itself
    QString earlierDocument; // the document before it whose page is the same file; empty when none
};

// The pages of documents, found at places (see GatheredDocuments); outputDir empty: beside each.
std::vector<PageTarget> PlanPageTargets(const QStringList &documents, const QStringList &places,
                                        const QString &outputDir);

// Makes the output folder, with the folders that lead to it, as the user named it; false when
// it is not a folder that can be reached then.
bool MakeOutputFolder(const QString &outputDir);

// Makes the folder below outputDir where target's page goes, one folder at a time, entering
// none through a link: a link or a file planted in the output tree where a folder belongs stops
// the page. Throws AutomationError SaveFailed.
void MakePageFolder(const QString &outputDir, const PageTarget &target);

// Throws AutomationError SaveFailed when target's page is an earlier document's too.
void RefuseTakenPage(const PageTarget &target);
