// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Working in folders whose entries others may have made, or may swap for links meanwhile (a
// document's folder, what an office wrote): a link is never followed, only what was checked
// through an open folder is touched, and a tree is never left for another file system.

#include "FileDescriptor.h"

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Removes the folder name of the open folder parent with all it holds, entering only folders
// on device; a link or a file of that name is removed itself. Nothing is followed through a link.
// True when nothing of it is left.
bool RemoveTreeAt(int parent, const QByteArray &name, dev_t device);

// The same for the folder at path, on the device of its parent folder.
bool RemoveTree(const QString &path);
