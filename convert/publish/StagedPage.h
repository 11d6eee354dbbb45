// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A web page and its pictures gathered first into a hidden staging folder beside the page's
// place, and put in place only as a whole: pictures first, the page last, each by rename. So a
// failure or a crash never leaves a half-written page, and an earlier page stays until the new
// one is complete. The staging folder's name tells which machine and which process made it, so
// that the first save of a run into the same folder can remove what a killed program of this
// user on this machine left behind, and nothing else.

#include "AutomationError.h"

#include <QString>

class StagedPage {
public:
    // Makes the staging folder beside target, after removing the staging folders there whose
    // process has ended, if this run has not looked there yet. Throws AutomationError SaveFailed.
    explicit StagedPage(const QString &target);
    StagedPage(StagedPage &&other) noexcept;
    StagedPage &operator=(StagedPage &&other) noexcept;
    StagedPage(const StagedPage &) = delete;
    StagedPage &operator=(const StagedPage &) = delete;
    // Discards what was not committed.
    ~StagedPage();

    // Where the page is seen once in place, as messages name it: its target or, staged into the
    // staging folder of a page that a caller stages itself, that page's target.
    QString place() const { return place_; }
    // The bytes that were free on the target's device when the page was staged.
    qint64 freeBefore() const { return freeBefore_; }
    // Where the page is to be written: in the staging folder, with the target's file name, so
    // that the page's relative picture names resolve once it is in place.
    QString pagePath() const;
    // Moves the regular files of the folder from, all but the one named except, into the staging
    // folder; links and anything else the writer left there stay where they are. Throws
    // PageWriteFailure.
    void takeFrom(const QString &from, const QString &except);
    // Moves the pictures, then the page, into place and removes the staging folder. Throws
    // AutomationError SaveFailed; whatever was not moved is discarded.
    void commit();
    // Removes the staging folder and all it holds.
    void discard();

private:
    void enter(int from, const QByteArray &name, int staging);

    QString target_;
    QString place_;
    QString folder_; // empty once committed or discarded
    qint64 freeBefore_ = -1;
};

// The program is ending: removes every staging folder of this process at once; no page can be
// staged after.
void DiscardAllStagedPages();

// A run begins: the first save into each folder looks there for abandoned staging folders again.
void RescanForAbandonedStaging();

// The SaveFailed error for a page that could not be saved, and why.
AutomationError PageNotSaved(const QString &page, const QString &reason);
