// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the main window: its place (taken again once the window is framed), its hand
// pointer, the rare visit to the home page, its caption, the list's column and the progress
// bar's colour.
#include "ApplicationTitle.h"
#include "CursorFile.h"
#include "FileNameHelpers.h"
#include "Form1.h"
#include "HomePage.h"
#include "Twips.h"
#include "WidgetColour.h"

#include <QMoveEvent>
#include <QTime>

void Form1::Form_Load()
{
    CenterForm(*this);

    // Appended as is: a doubled "/" at the root still names the same file.
    const QString handCursorPath = platform_.programDirectory + QStringLiteral("/HAND-M.CUR");
    if (Main::FileExists(handCursorPath))
        handCursor = loadCursorFile(handCursorPath).value_or(QCursor(Qt::ArrowCursor));

    VisitHomePageAtRandom();
    setWindowTitle(ApplicationTitle);

    const double dpi = logicalDpiX();
    ListView1->setHeaderLabels({ListColumnTitle, QString()});
    ListView1->setColumnWidth(0, twipsToPixels(6000, dpi));
    ListView1->setColumnWidth(1, twipsToPixels(5000, dpi));
    ListView1->setColumnCount(1);

    setBackgroundColour(ProgressBar1, QPalette::Base, Qt::white);
    setBackgroundColour(ProgressBar1, QPalette::Window, Qt::white);
}

void Form1::CenterForm(QWidget &form)
{
    const double dpiX = form.logicalDpiX();
    const double dpiY = form.logicalDpiY();
    const QRect screen = platform_.screen.primaryGeometry();
    // The outer size once the window system has framed the window; the client size before.
    const QSize window = form.frameGeometry().size();
    const float left = (float(pixelsToTwips(screen.width(), dpiX)) - float(pixelsToTwips(window.width(), dpiX))) / 2.0f;
    const float top = (float(pixelsToTwips(screen.height(), dpiY)) - float(pixelsToTwips(window.height(), dpiY)))
                      / 2.0f;
    form.move(screen.x() + twipsToPixels(left, dpiX), screen.y() + twipsToPixels(top, dpiY));
}

void Form1::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // The start-up centred the window before the window system framed it, that is its client
    // area; once the frame is there, the framed window is centred.
    if (!centredInFrame && frameGeometry().size() != size()) {
        centredInFrame = true;
        CenterForm(*this);
    }
}

void Form1::VisitHomePageAtRandom()
{
    platform_.random.seed(float(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f);
    const int n = int(platform_.random.next() * 100.0f) + 1;
    // Only the browser is started; if that fails there is nothing the user needs to hear about.
    if (n == 7)
        platform_.shell.launchDetached(QStringLiteral("xdg-open"), {HomePageAddress});
}
