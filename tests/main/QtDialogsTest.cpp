// The program's real message and input boxes: titled "Quorvane", no icon, the buttons and the
// default answer the commands rely on. Each box is answered from a timer, as a user would.
#include "QtPlatform.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Seen {
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Once the next box is up: notes what it looks like in seen, then presses key in it.
void answerWith(Qt::Key key, Seen *seen = nullptr)
{
    QTimer::singleShot(0, [seen, key] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        if (seen) {
            seen->title = box->windowTitle();
            if (const auto *message = qobject_cast<QMessageBox *>(box)) {
                seen->icon = message->icon();
                seen->buttons = message->standardButtons();
            }
        }
        QTest::keyClick(box, key);
    });
}

TEST(QtDialogs, TheWarningAnswersYesOnEnterAndNoOnEscape)
{
    QtDialogs dialogs;
    Seen seen;
    answerWith(Qt::Key_Return, &seen);
    EXPECT_TRUE(dialogs.askYesNo(nullptr, QStringLiteral("Proceed?")));
    EXPECT_EQ(seen.title, "Quorvane");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    answerWith(Qt::Key_Escape);
    EXPECT_FALSE(dialogs.askYesNo(nullptr, QStringLiteral("Proceed?")));
}

TEST(QtDialogs, AMessageHasOnlyOkAndTheInputBoxOffersItsDefault)
{
    QtDialogs dialogs;
    Seen seen;
    answerWith(Qt::Key_Return, &seen);
    dialogs.information(nullptr, QStringLiteral("Done."));
    EXPECT_EQ(seen.title, "Quorvane");
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);

    answerWith(Qt::Key_Return);
    EXPECT_EQ(dialogs.inputBox(nullptr, QStringLiteral("Enter file extension to load:"), QStringLiteral("doc")), "doc");
    answerWith(Qt::Key_Escape);
    EXPECT_EQ(dialogs.inputBox(nullptr, QStringLiteral("Enter file extension to load:"), QStringLiteral("doc")), "");
}

} // namespace
