// Routes what happens on the list's viewport to the ListView1_ handlers.
#include "main/Form1.h"

#include <QDropEvent>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

// Offers and drops go to the handlers only while the list takes drops.
bool dragEvent(Form1 &form, QDropEvent *event)
{
    if (!form.listAcceptsDrops()) {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        form.ListView1_OLEDragDrop(event->mimeData());
        event->acceptProposedAction();
        return true;
    }
    Qt::DropAction effect = event->proposedAction();
    form.ListView1_OLEDragOver(event->mimeData(), effect);
    event->setDropAction(effect);
    event->setAccepted(effect != Qt::IgnoreAction);
    return true;
}

} // namespace

void Form1::prepareListView()
{
    // Moves without a button pressed reach the pointer rule, too.
    ListView1->viewport()->setMouseTracking(true);
    // Every entry is one line of the same font; the view then lays out a long list quickly.
    ListView1->setUniformRowHeights(true);
    // Qt reports an entry click on release; the move needs it at the press, after the press
    // has selected the entry, so that DraggedItem names it before the first move.
    connect(ListView1, &QTreeWidget::itemPressed, this, &Form1::ListView1_ItemClick);
    ListView1->viewport()->installEventFilter(this);
}

bool Form1::listViewEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // The view goes on to select the pressed entry and report it (ListView1_ItemClick).
        ListView1_MouseDown();
        return false;
    case QEvent::MouseMove:
        ListView1_MouseMove(static_cast<QMouseEvent *>(event)->position().toPoint());
        // While the button is held the move owns the selection, not the view's drag-select.
        return ListMouseDown;
    case QEvent::MouseButtonRelease:
        ListView1_MouseUp();
        return false;
    case QEvent::MouseButtonDblClick:
        ListView1_DblClick();
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return dragEvent(*this, static_cast<QDropEvent *>(event));
    default:
        return false;
    }
}
