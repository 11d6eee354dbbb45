// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the office engine is given: which office, where its private profiles live, how long it
// may take, when a process is kept for the next document and how much memory the offices leave.

#include <QString>
#include <QtGlobal>

#include <chrono>

// How long the engine waits for the office. The office cannot cancel a load or a store once
// begun, so a call that overruns its limit ends the office process and fails.
struct OfficeLimits {
    // Starting the office and connecting to it (about 1 s; a first start on a new profile
    // restarts once).
    std::chrono::milliseconds start{30'000};
    // One load, store or close. A 96-page document loads in 0.5 s and stores in 0.6 s, so a
    // 300-page one needs a few seconds: this leaves room for a machine many times slower.
    std::chrono::milliseconds call{120'000};
    // How long Quit lets the office end by itself before the process is killed.
    std::chrono::milliseconds quitGrace{3'000};
};

// When an office process is kept for the next application object, and for how long.
struct OfficeReuse {
    // Documents one process loads before it is replaced: what the office keeps of each
    // document cannot pile up without end. A replacement costs an office start and the first
    // use of each import filter again, about 1 s of processor time; an office that has converted
    // 2,000 small documents holds no more memory and converts no slower than after 200.
    int documents = 2000;
    // Resident memory beyond which a process is replaced rather than kept (an office that has
    // converted fifty small documents holds about 210 MB).
    qint64 memoryBytes = qint64(1) << 30;
    // How long a process waits without an application object before it ends, unless it was
    // prepared to be kept longer.
    std::chrono::milliseconds idle{5'000};
};

// When a further office process may start: never when the system would be left with less than
// the reserve of available memory. The first office always starts.
struct OfficeMemory {
    qint64 reserve = qint64(1) << 30;
    // What a further office is expected to take (a fresh one holds about 150 MB, one that has
    // converted fifty small documents about 210 MB).
    qint64 perOffice = qint64(256) << 20;
};

struct OfficeSettings {
    QString program;     // the office binary itself (soffice.bin), not its wrapper script
    QString profileRoot; // private office profiles, never the user's own
    QString sandbox;     // the program that confines each office (bwrap); empty: none
    OfficeLimits limits;
    OfficeReuse reuse;
    OfficeMemory memory;
};

// soffice.bin of the LibreOffice the program was built for, profiles under the user's cache folder
// (~/.cache/quorvane/office-profile), the sandbox program it was built for, the limits above.
OfficeSettings DefaultOfficeSettings();
