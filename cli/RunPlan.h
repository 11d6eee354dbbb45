// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a run does with the documents gathered: it takes those of its shard, plans each one's
// page, and with --newer leaves out those whose page is newer than the document, as make would.

#include "CommandLine.h"
#include "DocumentGathering.h"
#include "PageTargets.h"

#include <QStringList>

#include <cstdint>
#include <vector>

struct RunPlan {
    QStringList documents;           // to convert, in the order gathered
    std::vector<PageTarget> targets; // of each
    QStringList upToDate;            // left out, their pages newer than they are
    QStringList upToDatePages;       // of each
};

// The shard's hash of a place: FNV-1a, 64 bits, of the place's bytes (the names as the file
// system keeps them, "/" between folders), so that every machine and every version agrees.
std::uint64_t PlaceHash(const QString &place);

RunPlan PlanRun(const GatheredDocuments &gathered, const ConvertOptions &options);
