// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The office reads documents that strangers wrote, and a fault in its filters must not become a
// fault in the user's account. So each office runs confined, in a sandbox of its own
// (bubblewrap): no network, no new privileges, no capabilities, never as root, no core dumps,
// and a view of the files that holds only what it needs of the system (its installation, the
// libraries, fonts and locale data) read-only, and its private folder (its profile, its home,
// the documents handed to it and the pages it writes), the only place it may write.
//
// Where the system cannot make such a sandbox (user namespaces switched off), offices run as any
// program of the user does; their profile's settings still keep them from loading linked
// content, and the command line says which protection is missing.

#include "OfficeSettings.h"

#include <QString>
#include <QStringList>

// The command that starts the office of settings with arguments: confined, unless the settings
// ask for no sandbox or this system cannot make one. privateFolder: the folder it may write;
// temporary: the folder it sees as /tmp, where its pipe appears (empty: one of its own that goes
// with it).
QStringList OfficeCommand(const OfficeSettings &settings, const QStringList &arguments, const QString &privateFolder,
                          const QString &temporary);

// True when the offices of settings run confined.
bool OfficesConfined(const OfficeSettings &settings);

// Why no office can be confined here, in one sentence; empty when offices are confined or the
// settings ask for no sandbox. The system is asked once per program.
QString ConfinementMissing(const OfficeSettings &settings);
