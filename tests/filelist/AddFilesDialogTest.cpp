// "Add Word File(s)": the dialog's settings and what the chosen files become.
#include "ListWindow.h"

#include <QRegularExpression>
#include <QToolButton>

using AddFilesDialog = ListWindow;

TEST_F(AddFilesDialog, ChosenFilesAreAppendedInTheDialogsOrder)
{
    const std::vector<std::pair<QStringList, QStringList>> cases{
        {{"/home/ann/My Reports//2024 report.doc"}, {"/home/ann/My Reports//2024 report.doc"}},
        {{"/home/ann/z.doc", "/home/ann/a.docx", "/home/ann/m.dot"}, {"/home/ann/z.doc", "/home/ann/a.docx", "/home/ann/m.dot"}},
        {{"/a.doc", "/b.doc"}, {"/a.doc", "/b.doc"}},
        {{"/srv//shared///x.doc", "/srv//shared///y.doc"}, {"/srv/shared//x.doc", "/srv/shared//y.doc"}},
        {{}, {}}, // cancelled
    };
    for (const auto &[chosen, added] : cases) {
        form.ListView1->clear();
        fill({"/docs/first.doc"});
        platform.dialogs.fileAnswers.push_back(OpenFilesResult{chosen, false});
        QTest::mouseClick(form.Check1, Qt::LeftButton);
        EXPECT_EQ(entries(), QStringList{"/docs/first.doc"} + added);
    }
    EXPECT_TRUE(platform.dialogs.messages().isEmpty());
    ASSERT_EQ(platform.dialogs.fileRequests.size(), cases.size());
    const OpenFilesRequest &request = platform.dialogs.fileRequests.front();
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

TEST_F(AddFilesDialog, FailedDialogLeavesTheListAndTheNextOneWorks)
{
    fill({"/docs/a.doc"});
    platform.dialogs.fileAnswers.push_back(OpenFilesResult{{}, true});
    platform.dialogs.fileAnswers.push_back(OpenFilesResult{{"/docs/b.doc"}, false});
    QTest::mouseClick(form.Check1, Qt::LeftButton);
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc"}));
    EXPECT_EQ(platform.dialogs.messages().size(), 1);
    QTest::mouseClick(form.Check1, Qt::LeftButton);
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/b.doc"}));
}
