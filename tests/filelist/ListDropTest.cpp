// Files dropped onto the list from the desktop.
#include "ListWindow.h"

#include <QMimeData>
#include <QUrl>

class ListDrop : public ListWindow {
protected:
    static std::unique_ptr<QMimeData> files(const QStringList &paths)
    {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls << QUrl::fromLocalFile(path);
        data->setUrls(urls);
        return data;
    }

    // Drags the data onto the list and drops it there if taken; false when the list refuses it.
    bool dragAndDrop(const QMimeData &data)
    {
        QDragEnterEvent enter(rowCentre(1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport(), &enter);
        if (!enter.isAccepted() || enter.dropAction() == Qt::IgnoreAction)
            return false;
        QDropEvent dropped(QPointF(rowCentre(1)), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport(), &dropped);
        return true;
    }
};

TEST_F(ListDrop, FilesAndFoldersFollowTheListInDropOrderAndTextIsRefused)
{
    fill({"/docs/a.doc", "/docs/b.doc"});
    EXPECT_TRUE(dragAndDrop(*files({"/in/z.doc", "/in/a b.rtf", "/in/m.doc"})));
    EXPECT_TRUE(dragAndDrop(*files({QDir::tempPath()})));
    QMimeData text;
    text.setText("/docs/c.doc");
    EXPECT_FALSE(dragAndDrop(text));
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/b.doc", "/in/z.doc", "/in/a b.rtf", "/in/m.doc", QDir::tempPath()}));
}

TEST_F(ListDrop, FilesAreRefusedDuringAMoveAndTakenAgainAfterIt)
{
    fill({"A", "B", "C"});
    press(rowCentre(2));
    moveTo(rowCentre(3));
    EXPECT_FALSE(dragAndDrop(*files({"/in/during.doc"})));
    release(rowCentre(3));
    EXPECT_TRUE(dragAndDrop(*files({"/in/new.doc"})));
    EXPECT_EQ(entries(), QStringList({"A", "C", "B", "/in/new.doc"}));
}
