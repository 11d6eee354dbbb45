// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressBar.h"

#include <cstdio>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr int BarCells = 20;
const QString Ellipsis = QStringLiteral("...");

QString clockText(std::chrono::milliseconds duration)
{
    const qint64 seconds = std::chrono::duration_cast<std::chrono::seconds>(duration).count();
    const QString minutesAndSeconds = QStringLiteral("%1:%2")
                                          .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                          .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return seconds < 3600 ? minutesAndSeconds : QStringLiteral("%1:%2").arg(seconds / 3600).arg(minutesAndSeconds);
}

int terminalWidth()
{
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

QString barLine(const ProgressState &state, int width)
{
    const int filled = state.total > 0 ? state.done * BarCells / state.total : BarCells;
    const QString left = state.done > 0 ? clockText(state.elapsed * (state.total - state.done) / state.done)
                                        : QStringLiteral("--:--");
    QString line = QStringLiteral("[%1%2] %3/%4  %5 elapsed, %6 left")
                       .arg(QString(filled, QLatin1Char('#')), QString(BarCells - filled, QLatin1Char('.')))
                       .arg(state.done)
                       .arg(state.total)
                       .arg(clockText(state.elapsed), left);
    if (!state.current.isEmpty()) {
        const int room = width - int(line.size()) - 2;
        if (room >= state.current.size())
            line += QStringLiteral("  ") + state.current;
        else if (room > Ellipsis.size())
            line += QStringLiteral("  ") + Ellipsis + state.current.right(room - Ellipsis.size());
    }
    return line.left(width);
}

} // namespace

void ProgressBar::draw(const ProgressState &state)
{
    // One column short of the width: a line that fills the terminal would wrap and not be redrawn.
    const QString line = barLine(state, terminalWidth() - 1);
    std::fprintf(stderr, "\r%s\033[K", qPrintable(line));
    std::fflush(stderr);
    shown = true;
}

void ProgressBar::clear()
{
    if (shown)
        std::fputs("\r\033[K", stderr);
    shown = false;
}

void ProgressBar::end()
{
    if (shown)
        std::fputs("\n", stderr);
    std::fflush(stderr);
    shown = false;
}
