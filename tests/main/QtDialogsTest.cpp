// The program's real message and input boxes: titled "Quorvane", no icon, the buttons and the
// default answer the commands rely on. Each box is answered from a timer, as a user would.
#include "PrintQt.h"
#include "QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <tuple>

// A message box's title, icon and buttons.
using Seen = std::tuple<QString, QMessageBox::Icon, QMessageBox::StandardButtons>;

// Once the next box is up: notes what it looks like in seen, then presses key in it.
static void answerWith(Qt::Key key, Seen *seen = nullptr)
{
    QTimer::singleShot(0, [seen, key] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        if (const auto *message = qobject_cast<QMessageBox *>(box); message && seen)
            *seen = {box->windowTitle(), message->icon(), message->standardButtons()};
        QTest::keyClick(box, key);
    });
}

TEST(QtDialogs, TheWarningAnswersYesOnEnterAndNoOnEscapeAndAMessageHasOnlyOk)
{
    QtDialogs dialogs;
    Seen warning, message;
    answerWith(Qt::Key_Return, &warning);
    EXPECT_TRUE(dialogs.askYesNo(nullptr, QStringLiteral("Proceed?")));
    EXPECT_EQ(warning, Seen("Quorvane", QMessageBox::NoIcon, QMessageBox::Yes | QMessageBox::No));
    answerWith(Qt::Key_Escape);
    EXPECT_FALSE(dialogs.askYesNo(nullptr, QStringLiteral("Proceed?")));
    answerWith(Qt::Key_Return, &message);
    dialogs.information(nullptr, QStringLiteral("Done."));
    EXPECT_EQ(message, Seen("Quorvane", QMessageBox::NoIcon, QMessageBox::Ok));
}

TEST(QtDialogs, TheInputBoxOffersItsDefault)
{
    QtDialogs dialogs;
    answerWith(Qt::Key_Return);
    EXPECT_EQ(dialogs.inputBox(nullptr, QStringLiteral("Enter file extension to load:"), QStringLiteral("doc")), "doc");
    answerWith(Qt::Key_Escape);
    EXPECT_EQ(dialogs.inputBox(nullptr, QStringLiteral("Enter file extension to load:"), QStringLiteral("doc")), "");
}
