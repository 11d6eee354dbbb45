// Files dropped onto the list from the file manager, before, during and after an in-list move.
#include "Rows.h"
#include "ShownList.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace {

class ListDrop : public ShownList {
protected:
    // Offers data (local files, or what data holds) over the list and drops it if taken.
    bool dropped(const QStringList &paths, QMimeData &&data = QMimeData())
    {
        if (!paths.isEmpty()) {
            QList<QUrl> urls;
            for (const QString &path : paths)
                urls << QUrl::fromLocalFile(path);
            data.setUrls(urls);
        }
        QDragEnterEvent enter(rowCentre(1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        list.dragOver(enter);
        if (!enter.isAccepted() || enter.dropAction() == Qt::IgnoreAction)
            return false;
        QDropEvent drop(QPointF(rowCentre(1)), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        list.drop(drop);
        return true;
    }
};

} // namespace

TEST_F(ListDrop, FilesAndFoldersFollowTheListInDropOrderTextIsRefusedAndDropsWorkAfterAMove)
{
    fill({"/docs/a.doc", "/docs/b.doc"});
    EXPECT_TRUE(dropped({"/in/z.doc", "/in/a b.rtf", "/in/m.doc"}));
    EXPECT_TRUE(dropped({QDir::tempPath()}));
    QMimeData text;
    text.setText("/docs/c.doc");
    EXPECT_FALSE(dropped({}, std::move(text)));
    EXPECT_EQ(entries(),
              QStringList({"/docs/a.doc", "/docs/b.doc", "/in/z.doc", "/in/a b.rtf", "/in/m.doc", QDir::tempPath()}));

    pressOn(1);
    moveOver(2);
    EXPECT_FALSE(dropped({"/in/during.doc"}));
    list.mouseUp();
    EXPECT_TRUE(dropped({"/in/after.doc"}));
    EXPECT_EQ(entries().mid(0, 2), QStringList({"/docs/b.doc", "/docs/a.doc"}));
    EXPECT_EQ(entries().mid(6), QStringList({"/in/after.doc"}));
}

// The list takes files as a copy, whatever the source proposes, so that no file manager removes
// what was dropped; a source that offers no copy is refused.
struct Offer {
    const char *name;
    Qt::DropActions possible;
    Qt::DropAction proposed;
    Qt::DropAction taken;
    friend void PrintTo(const Offer &row, std::ostream *out) { *out << row.name; }
};

class DropAction : public ListDrop, public ::testing::WithParamInterface<Offer> {};

TEST_P(DropAction, IsACopyOrARefusal)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/in/z.doc")});
    QDragEnterEvent enter(rowCentre(1), GetParam().possible, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(GetParam().proposed);
    list.dragOver(enter);
    EXPECT_EQ(enter.isAccepted(), GetParam().taken != Qt::IgnoreAction);
    EXPECT_EQ(enter.dropAction(), GetParam().taken);
    QDropEvent drop(QPointF(rowCentre(1)), GetParam().possible, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(GetParam().proposed);
    list.drop(drop);
    EXPECT_EQ(drop.dropAction(), GetParam().taken);
    EXPECT_EQ(list.count(), GetParam().taken == Qt::CopyAction ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    ListDrop, DropAction,
    ::testing::Values(Offer{"CopyProposed", Qt::CopyAction | Qt::MoveAction, Qt::CopyAction, Qt::CopyAction},
                      Offer{"MoveProposed", Qt::CopyAction | Qt::MoveAction, Qt::MoveAction, Qt::CopyAction},
                      Offer{"LinkProposed", Qt::CopyAction | Qt::LinkAction, Qt::LinkAction, Qt::CopyAction},
                      Offer{"OnlyMove", Qt::MoveAction, Qt::MoveAction, Qt::IgnoreAction},
                      Offer{"OnlyLink", Qt::LinkAction, Qt::LinkAction, Qt::IgnoreAction}),
    RowName);
