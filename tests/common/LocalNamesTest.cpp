// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The user's file names as bytes: any bytes survive the trip to text and back, the text shows
// them readably, and a name that a file dialog spoiled is found again on the disk.
#include "FileDescriptor.h"
#include "FileNameHelpers.h"
#include "LocalPaths.h"
#include "NameBytes.h"
#include "PrintQt.h"
#include "Rows.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Makes an empty file or (ending in "/") a folder whose path has exactly the bytes given.
void make(const QByteArray &path)
{
    if (path.endsWith('/'))
        ASSERT_EQ(::mkdir(path.constData(), 0700), 0) << path.constData();
    else
        ASSERT_EQ(::close(::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600)), 0) << path.constData();
}

} // namespace

struct Bytes {
    const char *name;
    QByteArray bytes;
    QString readable;
    friend void PrintTo(const Bytes &row, std::ostream *out) { *out << row.name; }
};
class NameBytesRow : public testing::TestWithParam<Bytes> {};

// Whatever the bytes, the text gives them back; what is UTF-8 reads as its characters, every other
// byte as \xNN, and a control character or line break as \uNNNN, so that a name stays on one line.
TEST_P(NameBytesRow, TheTextGivesBackTheSameBytesAndReadsThemOnOneLine)
{
    const QString name = NameFromBytes(GetParam().bytes);
    EXPECT_EQ(NameToBytes(name), GetParam().bytes);
    EXPECT_EQ(ReadableName(name), GetParam().readable);
    EXPECT_FALSE(NameWithReplacements(name).contains(QStringLiteral("\\x")));
}

INSTANTIATE_TEST_SUITE_P(NameBytes, NameBytesRow,
                         testing::Values(Bytes{"Utf8",
                                               "Gr\xc3\xb6\xc3\x9f"
                                               "e \xe6\x96\x87\xe6\x9b\xb8.doc",
                                               QString::fromUtf8("Größe 文書.doc")},
                                         Bytes{"Latin1", "bad\xff.doc", "bad\\xFF.doc"},
                                         Bytes{"Cp1252Quotes", "\x93quoted\x94.doc", "\\x93quoted\\x94.doc"},
                                         Bytes{"CutShort", "a\xe6\x96.doc", "a\\xE6\\x96.doc"},
                                         Bytes{"Overlong", "a\xc0\xaf", "a\\xC0\\xAF"},
                                         Bytes{"EncodedSurrogate", "a\xed\xb2\x80", "a\\xED\\xB2\\x80"},
                                         Bytes{"BeyondUnicode", "a\xf4\x90\x80\x80", "a\\xF4\\x90\\x80\\x80"},
                                         Bytes{"PairThenByte", "\xf0\x9f\x92\x80\x80",
                                               QString::fromUtf8("\xf0\x9f\x92\x80") + "\\x80"},
                                         Bytes{"Newline", "two\nlines.doc", "two\\u000Alines.doc"},
                                         Bytes{"LineSeparator",
                                               "a\xe2\x80\xa8"
                                               "b",
                                               "a\\u2028b"}),
                         RowName);

// A name that is not UTF-8 is found on the disk, whether the file dialog gives it with its real
// bytes or spoiled, each such byte a replacement character, in a folder of such a name too; where
// two names read the same spoiled, the dialog's path stays as it was given.
TEST(PathFromDialog, FindsTheRealNameOfAPathTheDialogSpoiled)
{
    const QTemporaryDir folder;
    const QByteArray root = QFile::encodeName(folder.path());
    for (const QByteArray &path :
         {root + "/dir\xfe/", root + "/dir\xfe/bad\xff.doc", root + "/twin\xfe.doc", root + "/twin\xfd.doc"})
        make(path);
    const QString real = NameFromBytes(root + "/dir\xfe/bad\xff.doc");
    EXPECT_EQ(NameToBytes(PathFromDialog(QFile::decodeName(NameToBytes(real)))), NameToBytes(real));
    EXPECT_EQ(PathFromDialog(real), real);
    const QString twin = QFile::decodeName(root + "/twin\xfe.doc");
    EXPECT_EQ(PathFromDialog(twin), twin);
    EXPECT_TRUE(Main::FileExists(real));
    EXPECT_FALSE(Main::FileExists(QFile::decodeName(NameToBytes(real))));
    const FileDescriptor opened = OpenFolder(FolderOf(real));
    EXPECT_EQ(FolderEntries(opened.get()), QList<QByteArray>{"bad\xff.doc"});
}
