// "Add Word File(s)": what the dialog is asked to show and what the chosen files become.
#include "ListWindow.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>

class AddFilesDialog : public ListWindow {
protected:
    void choose(const QStringList &paths) { platform.dialogs.fileAnswers.push_back(OpenFilesResult{paths, false}); }
    void clickAddFiles() { QTest::mouseClick(form.Check1, Qt::LeftButton); }
};

TEST_F(AddFilesDialog, OneClickShowsTheDialogOnceWithItsSettingsAndLeavesTheButtonReleased)
{
    clickAddFiles();

    ASSERT_EQ(platform.dialogs.fileRequests.size(), 1u);
    const OpenFilesRequest &request = platform.dialogs.fileRequests.front();
    EXPECT_EQ(request.title, "Add File(s) - Hold Ctrl to select multiple files");
    EXPECT_TRUE(request.multiSelect);
    ASSERT_EQ(request.nameFilters.size(), 2);
    EXPECT_TRUE(request.nameFilters[0].startsWith("Word Documents ("));
    EXPECT_TRUE(request.nameFilters[1].startsWith("All Files ("));
    EXPECT_FALSE(form.Check1->isChecked());
    EXPECT_EQ(form.CommonDialog1.Flags, 2621953);
}

TEST_F(AddFilesDialog, OneChosenFileIsListedExactlyAsReturned)
{
    fill({"/docs/first.doc"});
    choose({"/home/ann/My Reports//2024 report.doc"});
    clickAddFiles();
    EXPECT_EQ(entries(), QStringList({"/docs/first.doc", "/home/ann/My Reports//2024 report.doc"}));
}

TEST_F(AddFilesDialog, SeveralChosenFilesAreListedInTheDialogsOrderAtTheEnd)
{
    fill({"/docs/first.doc"});
    choose({"/home/ann/z.doc", "/home/ann/a.docx", "/home/ann/m.dot"});
    clickAddFiles();
    EXPECT_EQ(entries(), QStringList({"/docs/first.doc", "/home/ann/z.doc", "/home/ann/a.docx", "/home/ann/m.dot"}));
}

TEST_F(AddFilesDialog, FilesChosenAtTheRootHaveOneSlashBeforeTheirNames)
{
    choose({"/a.doc", "/b.doc"});
    clickAddFiles();
    EXPECT_EQ(entries(), QStringList({"/a.doc", "/b.doc"}));
}

TEST_F(AddFilesDialog, SeveralChosenFilesHaveEveryDoubleSlashCollapsed)
{
    choose({"/srv//shared///x.doc", "/srv//shared///y.doc"});
    clickAddFiles();
    EXPECT_EQ(entries(), QStringList({"/srv/shared//x.doc", "/srv/shared//y.doc"}));
}

TEST_F(AddFilesDialog, AFileAlreadyListedIsListedAgain)
{
    fill({"/docs/a.doc"});
    choose({"/docs/a.doc"});
    clickAddFiles();
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/a.doc"}));
}

TEST_F(AddFilesDialog, CancelAddsNothingAndSaysNothing)
{
    fill({"/docs/a.doc"});
    clickAddFiles();
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc"}));
    EXPECT_TRUE(platform.dialogs.messages().isEmpty());
}

TEST_F(AddFilesDialog, FailedDialogLeavesTheListAndTellsTheUser)
{
    fill({"/docs/a.doc"});
    platform.dialogs.fileAnswers.push_back(OpenFilesResult{{}, true});
    clickAddFiles();

    EXPECT_EQ(entries(), QStringList({"/docs/a.doc"}));
    EXPECT_EQ(platform.dialogs.messages().size(), 1);

    choose({"/docs/b.doc"});
    clickAddFiles();
    EXPECT_EQ(entries(), QStringList({"/docs/a.doc", "/docs/b.doc"}));
}

TEST(CommonDialogFileName, GivesOnePathOrTheCommonFolderAndEachNameAfterANul)
{
    const QChar nul(0);
    EXPECT_EQ(CommonDialog::fileNameFrom({}), QString());
    EXPECT_EQ(CommonDialog::fileNameFrom({"/d/a.doc"}), "/d/a.doc");
    EXPECT_EQ(CommonDialog::fileNameFrom({"/d/a.doc", "/d/b.doc"}), QString("/d") + nul + "a.doc" + nul + "b.doc");
    EXPECT_EQ(CommonDialog::fileNameFrom({"/a.doc", "/b.doc"}), QString("/") + nul + "a.doc" + nul + "b.doc");
    EXPECT_EQ(CommonDialog::fileNameFrom({"/d/e/a.doc", "/d/f/b.doc"}), QString("/d") + nul + "e/a.doc" + nul + "f/b.doc");
}

// The patterns inside the parentheses of a Qt name filter.
static QStringList patternsOf(const QString &nameFilter)
{
    const QRegularExpressionMatch match = QRegularExpression("\\(([^()]*)\\)$").match(nameFilter);
    return match.captured(1).split(' ', Qt::SkipEmptyParts);
}

TEST(CommonDialogFilter, WordDocumentsMatchInAnyCaseAndAllFilesMeansEveryFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char *name : {"REPORT.DOC", "letter.docx", "Memo.Dot", "notes", "table.xls", "readme.txt.doc.bak"}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QStringList filters = CommonDialog::nameFiltersFrom("Word Documents (*.do*)|*.do*|All Files (*.*)|*.*");
    ASSERT_EQ(filters.size(), 2);
    const QDir dir(folder.path());
    const auto listed = [&](const QString &filter) {
        return dir.entryList(patternsOf(filter), QDir::Files | QDir::CaseSensitive, QDir::Name | QDir::IgnoreCase);
    };

    EXPECT_EQ(listed(filters[0]), QStringList({"letter.docx", "Memo.Dot", "readme.txt.doc.bak", "REPORT.DOC"}));
    EXPECT_EQ(listed(filters[1]).size(), 6);
}
