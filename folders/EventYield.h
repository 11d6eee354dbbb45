// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lets the window repaint and answer during a long folder walk. Processing events costs about a
// microsecond even when none is pending, and a walk passes a yield point for every name, so
// events are processed at the first point and then only once a frame's time has passed.

#include <QCoreApplication>
#include <QElapsedTimer>

class EventYield {
public:
    void operator()()
    {
        if (sinceLast.isValid() && !sinceLast.hasExpired(intervalMs))
            return;
        QCoreApplication::processEvents();
        sinceLast.start();
    }

private:
    static constexpr qint64 intervalMs = 10;
    QElapsedTimer sinceLast;
};
