// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Appends many entries to the file list, on a list view the size of the window's, and prints how long the appends, the
// first showing of the list, a removal and an append followed by a pass of the event loop take,
// and the cost of the first and the last thousand appends: equal costs mean appending does not
// slow down as the list grows.

#include "FakeList.h"
#include "FileList.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTreeWidget>

#include <algorithm>

namespace {

QTextStream out(stdout);

double milliseconds(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

void appendThousand(FileList &list, int from)
{
    for (int i = from; i < from + 1000; ++i)
        list.AddDocumentPath(QStringLiteral("/home/user/Documents/report %1.doc").arg(i));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int thousands = argc > 1 ? std::max(2, QString::fromLocal8Bit(argv[1]).toInt() / 1000) : 10;

    QTreeWidget view;
    view.resize(472, 153);
    FakePointer pointer;
    FileList list(view, pointer, QCoreApplication::applicationDirPath());
    view.show();
    QCoreApplication::processEvents();

    QElapsedTimer total;
    total.start();
    QElapsedTimer step;
    step.start();
    appendThousand(list, 0);
    const double first = milliseconds(step);
    for (int k = 1; k < thousands - 1; ++k)
        appendThousand(list, k * 1000);
    step.restart();
    appendThousand(list, (thousands - 1) * 1000);
    const double last = milliseconds(step);
    const double appends = milliseconds(total);

    step.restart();
    QCoreApplication::processEvents();
    view.viewport()->repaint();
    const double shown = milliseconds(step);

    const int appended = list.count();
    view.topLevelItem(appended / 2)->setSelected(true);
    step.restart();
    list.removeSelected();
    QCoreApplication::processEvents();
    const double removal = milliseconds(step);

    // As a folder import appends: the window handles its events between appends, and the view
    // lays the whole list out again at each such pass.
    constexpr int passes = 100;
    step.restart();
    for (int i = 0; i < passes; ++i) {
        list.AddDocumentPath(QStringLiteral("/home/user/Documents/late %1.doc").arg(i));
        QCoreApplication::processEvents();
    }
    const double perPass = milliseconds(step) / passes;

    out << "entries appended:          " << appended << '\n'
        << "all appends:               " << appends << " ms\n"
        << "first 1000 appends:        " << first << " ms\n"
        << "last 1000 appends:         " << last << " ms (ratio " << last / first << ")\n"
        << "first showing of the list: " << shown << " ms\n"
        << "removal in the middle:     " << removal << " ms\n"
        << "append and event pass:     " << perPass << " ms each, at that length\n";
    return 0;
}
