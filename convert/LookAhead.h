// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How far conversion may run ahead of the pages put in place. A converted document's pages wait,
// staged beside their places, until every document before it is placed: bounded by their count
// and by the disk space they take, a slow document early in a long list neither fills the disk
// nor leaves much work to discard when a failure ends the run, yet the offices stay busy.

#include "StagedPage.h"

#include <limits>

// What one document's staged page takes on disk, its pictures included, and the space that was
// free where it was staged (-1: unknown).
struct Footprint {
    qint64 bytes = 0;
    qint64 free = -1;
};

Footprint FootprintOf(const StagedPage &page);

class LookAhead {
public:
    // A document has started: it counts as waiting until it is placed.
    void started() { ++waiting_; }
    void staged(const Footprint &footprint);
    // A document started earlier is placed, or discarded.
    void placed(const Footprint &footprint);
    // Whether another document may start beside those waiting.
    bool hasRoom() const;

private:
    int waiting_ = 0;
    qint64 bytes_ = 0;
    qint64 lowestFree_ = std::numeric_limits<qint64>::max();
};
