// Files dropped onto the list from the desktop.
#include "ListWindow.h"

#include <QMimeData>
#include <QUrl>

class ListDrop : public ListWindow {
protected:
    static QMimeData *filesData(const QStringList &paths)
    {
        auto *data = new QMimeData;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data->setUrls(urls);
        return data;
    }

    // Offers the data as a drag entering the list; true when the list would take it.
    bool offer(const QMimeData &data)
    {
        QDragEnterEvent enter(rowCentre(1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport(), &enter);
        return enter.isAccepted() && enter.dropAction() != Qt::IgnoreAction;
    }

    void drop(const QMimeData &data)
    {
        QDropEvent dropped(QPointF(rowCentre(1)), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport(), &dropped);
    }

    // Drags the data over the list and drops it when the list takes it.
    void dragAndDrop(const QMimeData &data)
    {
        if (offer(data))
            drop(data);
    }
};

TEST_F(ListDrop, DroppedFilesFollowTheListInTheOrderOfTheDropWhereverTheyFall)
{
    fill({"/docs/a.doc", "/docs/b.doc"});
    std::unique_ptr<QMimeData> data(filesData({"/in/z.doc", "/in/a b.rtf", "/in/m.doc"}));
    ASSERT_TRUE(offer(*data));
    drop(*data);
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/b.doc", "/in/z.doc", "/in/a b.rtf", "/in/m.doc"}));
}

TEST_F(ListDrop, DroppedFolderIsListedByItsOwnPath)
{
    std::unique_ptr<QMimeData> data(filesData({QDir::tempPath()}));
    dragAndDrop(*data);
    EXPECT_EQ(entries(), QStringList({QDir::tempPath()}));
}

TEST_F(ListDrop, DataWithoutAFileListIsRefusedAndAddsNothing)
{
    fill({"/docs/a.doc"});
    QMimeData text;
    text.setText("/docs/b.doc");
    EXPECT_FALSE(offer(text));
    drop(text);

    QMimeData web;
    web.setUrls({QUrl("https://example.org/c.doc")});
    EXPECT_FALSE(offer(web));
    drop(web);

    EXPECT_EQ(entries(), QStringList({"/docs/a.doc"}));
}

TEST_F(ListDrop, FilesAreRefusedWhileAnEntryIsBeingMovedAndTakenAgainAfterwards)
{
    fill({"A", "B", "C"});
    std::unique_ptr<QMimeData> data(filesData({"/in/new.doc"}));

    press(rowCentre(2));
    moveTo(rowCentre(3));
    EXPECT_FALSE(form.listAcceptsDrops());
    EXPECT_FALSE(offer(*data));
    release(rowCentre(3));

    EXPECT_TRUE(form.listAcceptsDrops());
    dragAndDrop(*data);
    EXPECT_EQ(entries(), QStringList({"A", "C", "B", "/in/new.doc"}));
}
