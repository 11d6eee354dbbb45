// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The office engine behind the class "Word.Application": each application object drives a
// LibreOffice process of its own through UNO. Application objects may live on several threads
// at once, each with its own process. Processes are pooled: one whose application object ended
// cleanly is kept warm for the next, since starting an office costs as much as converting
// dozens of small documents, and processes can be started ahead of the objects that will use
// them (PrepareObjects).

#include "OfficeSettings.h"

// Registers the class "Word.Application"; registering again replaces the settings and ends
// the idle processes started under the old ones. What ended programs of this user left (pipes,
// running-object entries) is removed.
void RegisterOfficeEngine();
void RegisterOfficeEngine(const OfficeSettings &settings);

// Ends at once every office process that no application object uses.
void EndIdleOfficeProcesses();

// The office processes started and connected that wait for an application object.
int ReadyOfficeProcesses();

// Why the offices run without their sandbox here, in one sentence; empty when they are confined.
QString MissingOfficeProtection();
