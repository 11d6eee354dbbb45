// Files dropped onto the list from the desktop, before and after an in-list move.
#include "ListWindow.h"

#include <QMimeData>
#include <QUrl>

using ListDrop = ListWindow;

TEST_F(ListDrop, FilesAndFoldersFollowTheListInDropOrderTextIsRefusedAndDropsWorkAfterAMove)
{
    // Drags local files (or the given data) onto the list and drops them if taken.
    const auto dropped = [this](const QStringList &paths, QMimeData &&data = QMimeData()) {
        if (!paths.isEmpty()) {
            QList<QUrl> urls;
            for (const QString &path : paths)
                urls << QUrl::fromLocalFile(path);
            data.setUrls(urls);
        }
        QDragEnterEvent enter(rowCentre(1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport(), &enter);
        if (!enter.isAccepted() || enter.dropAction() == Qt::IgnoreAction)
            return false;
        QDropEvent drop(QPointF(rowCentre(1)), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport(), &drop);
        return true;
    };
    fill({"/docs/a.doc", "/docs/b.doc"});
    EXPECT_TRUE(dropped({"/in/z.doc", "/in/a b.rtf", "/in/m.doc"}));
    EXPECT_TRUE(dropped({QDir::tempPath()}));
    QMimeData text;
    text.setText("/docs/c.doc");
    EXPECT_FALSE(dropped({}, std::move(text)));
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/b.doc", "/in/z.doc", "/in/a b.rtf", "/in/m.doc", QDir::tempPath()}));

    press(rowCentre(1));
    moveTo(rowCentre(2));
    EXPECT_FALSE(dropped({"/in/during.doc"}));
    release(rowCentre(2));
    EXPECT_TRUE(dropped({"/in/after.doc"}));
    EXPECT_EQ(entries().mid(0, 2), QStringList({"/docs/b.doc", "/docs/a.doc"}));
    EXPECT_EQ(entries().mid(6), QStringList({"/in/after.doc"}));
}
