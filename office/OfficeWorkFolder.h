// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folder one office process works in, inside its profile's slot: made anew for each process
// and removed when it ends (or, after a program was killed, when the slot is next used). It holds
// the folder the office sees as /tmp, where its pipe appears, and a folder for each document
// handed to it, where it reads its own copy of the document and writes the page and its
// pictures beside it, so that the page's links to files beside the document still resolve as
// they do beside the document itself.

#include <QString>

class OfficeWorkFolder {
public:
    // Makes the folder in slot, removing what an earlier process left there. Throws
    // AutomationError.
    explicit OfficeWorkFolder(const QString &slot);
    // Removes the folder with all it holds.
    ~OfficeWorkFolder();
    OfficeWorkFolder(const OfficeWorkFolder &) = delete;
    OfficeWorkFolder &operator=(const OfficeWorkFolder &) = delete;

    QString path() const { return path_; }
    // What the office sees as /tmp.
    QString temporary() const;
    // Copies the document at path (a regular file, read as the user reads it) into a new folder
    // of its own here, under the same file name; returns the copy's path. Throws AutomationError.
    QString handIn(const QString &path);
    // The document whose copy is at copy is done with: its folder goes, with what the office left.
    void clear(const QString &copy);

private:
    QString path_;
    int handedIn_ = 0;
};

// The program is ending: removes the work folders of every office at once.
void RemoveAllOfficeWorkFolders();
