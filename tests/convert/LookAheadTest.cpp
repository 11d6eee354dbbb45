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
    std::vector<StagedPage> pages;
    for (const auto &[name, bytes] : {std::pair("one.htm", 100), std::pair("two.htm", 20)}) {
        pages.emplace_back(folder.filePath(name));
        QFile page(pages.back().pagePath()), picture(pages.back().pagePath() + "_1.png");
        ASSERT_TRUE(page.open(QIODevice::WriteOnly) && page.resize(bytes) && picture.open(QIODevice::WriteOnly)
                    && picture.resize(bytes * 10));
    }
    const Footprint footprint = FootprintOf(pages);
    EXPECT_EQ(footprint.bytes, 1100 + 220);
    EXPECT_EQ(footprint.free, std::min(pages[0].freeBefore(), pages[1].freeBefore()));
    EXPECT_GT(footprint.free, 0);
}
