#pragma once
// The real main window with fake seams, shown offscreen, and the mouse on its list.
#include "support/ShownWindow.h"

#include <QScrollBar>
#include <QTreeWidget>

class ListWindow : public ShownWindow {
protected:
    void fill(const QStringList &paths)
    {
        for (const QString &path : paths)
            form.AddDocumentPath(path);
        QCoreApplication::processEvents();
    }
    QStringList entries() const
    {
        QStringList texts;
        for (int position = 1; position <= form.ListCount(); ++position)
            texts << form.ListEntry(position);
        return texts;
    }
    int selectedPosition() const
    {
        const QModelIndexList rows = form.ListView1->selectionModel()->selectedRows();
        return rows.isEmpty() ? 0 : rows.first().row() + 1;
    }

    QWidget *viewport() const { return form.ListView1->viewport(); }
    QRect rowRect(int position) const { return form.ListView1->visualItemRect(form.ListView1->topLevelItem(position - 1)); }
    QPoint rowCentre(int position) const { return QPoint(viewport()->width() / 2, rowRect(position).center().y()); }
    QPoint emptySpace() const { return QPoint(10, viewport()->height() - 2); }
    void press(QPoint at) { QTest::mousePress(viewport(), Qt::LeftButton, {}, at); }
    void moveTo(QPoint at) { QTest::mouseMove(viewport(), at); }
    void release(QPoint at) { QTest::mouseRelease(viewport(), Qt::LeftButton, {}, at); }
    // Presses on one entry, passes over the others in turn with the button held, releases.
    void drag(int from, std::initializer_list<int> over)
    {
        press(rowCentre(from));
        for (int position : over)
            moveTo(rowCentre(position));
        release(rowCentre(*std::prev(over.end())));
    }
};
