// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunPlan.h"

#include "LocalPaths.h"
#include "NameBytes.h"

namespace {

constexpr std::uint64_t FnvOffsetBasis = 14695981039346656037ULL;
constexpr std::uint64_t FnvPrime = 1099511628211ULL;

bool inShard(const QString &place, const std::optional<Shard> &shard)
{
    return !shard || PlaceHash(place) % std::uint64_t(shard->count) == std::uint64_t(shard->index - 1);
}

std::optional<timespec> modified(const QString &path)
{
    const std::optional<struct stat> status = FileStatus(path);
    return status ? std::optional(status->st_mtim) : std::nullopt;
}

// Strictly newer: on a file system that keeps whole seconds, a page of the same second as its
// document may be older than the document's last change, and converting again is the safe side.
bool pageIsNewer(const QString &page, const QString &document)
{
    const std::optional<timespec> pageTime = modified(page), documentTime = modified(document);
    if (!pageTime || !documentTime)
        return false;
    return std::pair(pageTime->tv_sec, pageTime->tv_nsec) > std::pair(documentTime->tv_sec, documentTime->tv_nsec);
}

} // namespace

std::uint64_t PlaceHash(const QString &place)
{
    std::uint64_t hash = FnvOffsetBasis;
    for (const char byte : NameToBytes(place)) {
        hash ^= std::uint8_t(byte);
        hash *= FnvPrime;
    }
    return hash;
}

RunPlan PlanRun(const GatheredDocuments &gathered, const ConvertOptions &options)
{
    // Pages are planned over every document, so that two documents whose pages would be one file
    // are found even when they fall in different shards.
    const std::vector<PageTarget> targets = PlanPageTargets(gathered.documents, gathered.places, options.outputDir);
    RunPlan plan;
    for (qsizetype i = 0; i < gathered.documents.size(); ++i) {
        const QString &document = gathered.documents.at(i);
        const PageTarget &target = targets.at(size_t(i));
        if (!inShard(gathered.places.at(i), options.shard))
            continue;
        // A page taken by an earlier document is not this one's: it is never up to date.
        if (options.newer && target.earlierDocument.isEmpty() && pageIsNewer(target.page, document)) {
            plan.upToDate << document;
            plan.upToDatePages << target.page;
        } else {
            plan.documents << document;
            plan.targets.push_back(target);
        }
    }
    return plan;
}
