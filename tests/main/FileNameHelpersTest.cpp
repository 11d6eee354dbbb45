// The Main module's helpers on file names.
#include "main/Main.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ExtensionCase {
    QString name;
    QString extension;
};

TEST(GetFileExtension, GivesTheTextAfterTheLastDotAndLeavesItInTheArgument)
{
    const std::vector<ExtensionCase> cases{
        {"report.doc", "doc"},
        {"archive.2009.docx", "docx"},
        {"README", "README"},
        {"letter.", ""},
        {"/home/ann/my.files/notes", "files/notes"},
        {"C:\\my.files\\notes", "files\\notes"},
        {"/home/ann/.hidden", "hidden"},
        {"", ""},
    };
    for (const ExtensionCase &c : cases) {
        QString name = c.name;
        EXPECT_EQ(Main::GetFileExtension(name), c.extension) << c.name.toStdString();
        EXPECT_EQ(name, c.extension) << c.name.toStdString();
    }
}

TEST(GetFileExtension, WorksOnNamesOfAnyLength)
{
    QString name = QString(70000, QLatin1Char('a')) + ".htm";
    EXPECT_EQ(Main::GetFileExtension(name), "htm");
    QString noDot(40000, QLatin1Char('b'));
    EXPECT_EQ(Main::GetFileExtension(noDot).size(), 40000);
}

class FileExistsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
};

TEST_F(FileExistsTest, ExistingFileIsThereAndIsNeitherReadNorChanged)
{
    const QString path = dir.filePath("report.doc");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("contents");
    file.close();
    // A write-only file: asking about it must not need to read it.
    ASSERT_TRUE(file.setPermissions(QFileDevice::WriteOwner));
    const QDateTime modified = QFileInfo(path).lastModified();

    EXPECT_TRUE(Main::FileExists(path));

    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    EXPECT_EQ(QFileInfo(path).size(), 8);
    ASSERT_TRUE(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "contents");
}

TEST_F(FileExistsTest, NamesOfNothingAreNotThere)
{
    EXPECT_FALSE(Main::FileExists(QString()));
    EXPECT_FALSE(Main::FileExists(dir.filePath("missing.doc")));
    EXPECT_FALSE(Main::FileExists(dir.filePath("no such folder/report.doc")));
    EXPECT_FALSE(Main::FileExists(dir.filePath(QString(5000, QLatin1Char('x')))));
}

TEST_F(FileExistsTest, NameCutShortByANulDoesNotStandForTheShorterName)
{
    const QString path = dir.filePath("report.doc");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(Main::FileExists(path + QChar(0) + "junk"));
}

TEST_F(FileExistsTest, UnusualButValidNamesWork)
{
    const QString path = dir.filePath("Ünïcödé name with spaces.doc");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(Main::FileExists(path));
}

} // namespace
