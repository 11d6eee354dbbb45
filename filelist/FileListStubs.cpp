// Placeholder list handlers.
#include "main/Form1.h"

#include <QTreeWidget>

bool Form1::listViewEvent(QEvent *) { return false; }
bool Form1::listAcceptsDrops() const { return ListView1->acceptDrops(); }
void Form1::setListAcceptsDrops(bool accept) { ListView1->setAcceptDrops(accept); }
void Form1::AddDocumentPath(const QString &path) { new QTreeWidgetItem(ListView1, QStringList{path}); }
int Form1::ListCount() const { return ListView1->topLevelItemCount(); }
QString Form1::ListEntry(int position) const { return ListView1->topLevelItem(position - 1)->text(0); }
void Form1::ListView1_DblClick() {}
void Form1::ListView1_ItemClick() {}
void Form1::ListView1_MouseDown() {}
void Form1::ListView1_MouseMove(const QPoint &) {}
void Form1::ListView1_MouseUp() {}
void Form1::ListView1_OLEDragOver(const QMimeData *, Qt::DropAction &) {}
void Form1::ListView1_OLEDragDrop(const QMimeData *) {}
void Form1::Check1_Click() {}
void CommonDialog::ShowOpen(QWidget *, Dialogs &) {}
void Form1::setListMousePointer(int state) { listMousePointer = state; }
