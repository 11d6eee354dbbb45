// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Places and sizes of the window are given in twips (1/1440 inch): 15 twips per pixel at 96 DPI.

#include <QRect>
#include <QtMath>

constexpr double TwipsPerInch = 1440.0;

inline int twipsToPixels(double twips, double dotsPerInch)
{
    return qRound(twips * dotsPerInch / TwipsPerInch);
}

inline double pixelsToTwips(double pixels, double dotsPerInch)
{
    return pixels * TwipsPerInch / dotsPerInch;
}

inline QRect twipsRect(double left, double top, double width, double height, double dotsPerInch)
{
    return QRect(twipsToPixels(left, dotsPerInch), twipsToPixels(top, dotsPerInch), twipsToPixels(width, dotsPerInch),
                 twipsToPixels(height, dotsPerInch));
}
