// The file list: ListView1 itself holds the entries, one document path per top-level row.
#include "main/Form1.h"

#include <QTreeWidget>

void Form1::AddDocumentPath(const QString &path)
{
    // Appending at the end is constant time: no sorting, no duplicate test, no scrolling.
    ListView1->addTopLevelItem(new QTreeWidgetItem(QStringList{path}));
}

int Form1::ListCount() const
{
    return ListView1->topLevelItemCount();
}

QString Form1::ListEntry(int position) const
{
    const QTreeWidgetItem *entry = ListView1->topLevelItem(position - 1);
    return entry ? entry->text(0) : QString();
}

void Form1::ListView1_DblClick()
{
    // With nothing selected there is nothing to remove, and nothing to tell.
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    delete ListView1->takeTopLevelItem(selected.first().row());
    // The view would select the entry that took the removed one's place; only a click or a
    // move selects, so that a further double-click never removes an entry nobody chose.
    ListView1->clearSelection();
}
