// "Add Word File(s)": the dialog's settings and what the chosen files become.
#include "AddWordFiles.h"
#include "CommonDialog.h"
#include "FakeList.h"
#include "FakePlatform.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class AddFiles : public testing::Test {
protected:
    FakeDialogs dialogs;
    CommonDialog dialog;
    FakeDocumentList list;

    QStringList addChosen(const QStringList &chosen, bool failed = false)
    {
        list.paths = QStringList{"/docs/first.doc"};
        dialogs.fileAnswers.push_back(OpenFilesResult{chosen, failed});
        AddWordFiles(dialog, dialogs, nullptr, list);
        return list.paths.mid(1);
    }
};

} // namespace

TEST_F(AddFiles, ChosenFilesAreAppendedInTheDialogsOrder)
{
    EXPECT_EQ(addChosen({"/home/ann/My Reports//2024 report.doc"}),
              QStringList{"/home/ann/My Reports//2024 report.doc"});
    EXPECT_EQ(addChosen({"/home/ann/z.doc", "/home/ann/a.docx", "/home/ann/m.dot"}),
              QStringList({"/home/ann/z.doc", "/home/ann/a.docx", "/home/ann/m.dot"}));
    EXPECT_EQ(addChosen({"/a.doc", "/b.doc"}), QStringList({"/a.doc", "/b.doc"}));
    EXPECT_EQ(addChosen({"/srv//shared///x.doc", "/srv//shared///y.doc"}),
              QStringList({"/srv/shared//x.doc", "/srv/shared//y.doc"}));
    EXPECT_EQ(addChosen({}), QStringList()); // cancelled
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(AddFiles, TheDialogAsksForSeveralWordDocumentsOrAnyFile)
{
    addChosen({});
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const OpenFilesRequest &request = dialogs.fileRequests.front();
    EXPECT_EQ(request.title, "Add File(s) - Hold Ctrl to select multiple files");
    EXPECT_TRUE(request.multiSelect);
    ASSERT_EQ(request.nameFilters.size(), 2);
    EXPECT_TRUE(request.nameFilters[0].startsWith("Word Documents ("));
    // What each filter lists, matched the way the file dialog matches its patterns.
    const auto lists = [](const QString &filter, const QString &name) {
        const QString patterns = filter.section('(', -1).chopped(1);
        for (const QString &pattern : patterns.split(' '))
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(name).hasMatch())
                return true;
        return false;
    };
    EXPECT_TRUE(lists(request.nameFilters[0], "REPORT.DOC"));
    EXPECT_TRUE(lists(request.nameFilters[0], "letter.docx"));
    EXPECT_FALSE(lists(request.nameFilters[0], "notes.txt"));
    EXPECT_TRUE(lists(request.nameFilters[1], "notes"));
}

TEST_F(AddFiles, AFailedDialogLeavesTheListAndSaysSo)
{
    EXPECT_EQ(addChosen({"/docs/b.doc"}, true), QStringList());
    EXPECT_EQ(dialogs.messages(), QStringList{"The file dialog could not be shown. No files were added."});
    EXPECT_EQ(addChosen({"/docs/b.doc"}), QStringList{"/docs/b.doc"});
}
