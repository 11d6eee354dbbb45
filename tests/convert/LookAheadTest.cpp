// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How much converted work may wait to be put in place: what staged pages take, and the bound of
// 256 documents or 1 % of the least free space seen.
#include "LookAhead.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(LookAhead, HasRoomUntil256DocumentsWaitOrTheirPagesTakeOnePercentOfTheFreeSpace)
{
    LookAhead lookAhead;
    for (int started = 0; started < 256; ++started) {
        EXPECT_TRUE(lookAhead.hasRoom()) << started;
        lookAhead.started();
    }
    EXPECT_FALSE(lookAhead.hasRoom());
    lookAhead.placed({});
    EXPECT_TRUE(lookAhead.hasRoom());

    lookAhead.staged({999, 200'000}); // the least free space seen is what counts
    lookAhead.staged({0, 100'000});
    EXPECT_TRUE(lookAhead.hasRoom());
    lookAhead.staged({1, -1});
    EXPECT_FALSE(lookAhead.hasRoom());
    lookAhead.placed({999, 200'000});
    EXPECT_TRUE(lookAhead.hasRoom());
}

// A page's footprint is the page and its pictures, staged beside it.
TEST(LookAhead, APagesFootprintIsItsFilesAndTheFreeSpaceBeforeIt)
{
    QTemporaryDir folder;
    const StagedPage staged(folder.filePath("one.htm"));
    QFile page(staged.pagePath()), picture(staged.pagePath() + "_1.png");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly) && page.resize(100) && picture.open(QIODevice::WriteOnly)
                && picture.resize(1000));

    const Footprint footprint = FootprintOf(staged);

    EXPECT_EQ(footprint.bytes, 1100);
    EXPECT_EQ(footprint.free, staged.freeBefore());
    EXPECT_GT(footprint.free, 0);
}
