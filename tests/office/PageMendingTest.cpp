// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The mending of a page as the office wrote it, on pages shaped as the export shapes them.

#include "PageMending.h"
#include "Rows.h"

#include <gtest/gtest.h>

namespace {

const QString Prefix = QStringLiteral("quorvane0123abcd-");

QByteArray mended(const QByteArray &page, std::vector<PageMark> marks = {},
                  const QString &documentName = QStringLiteral("Report.final.doc"))
{
    return MendPage(page, {documentName, false, {Prefix, std::move(marks)}});
}

QByteArray mark(int n)
{
    return "<!--" + Prefix.toUtf8() + QByteArray::number(n) + "-->";
}

} // namespace

// The rest of the style sheet stays byte for byte, whatever its encoding.
TEST(PageMending, TheStyleSheetLeavesTheWritingDirectionToTheParagraphsAndWhatHoldsThem)
{
    const QByteArray page = "<style type=\"text/css\">\n\t\tp { line-height: 115%; text-align: left; direction: ltr; "
                            "background: transparent }\n\t\th1 { direction: rtl }\n\t\th2 { font-family: \"\xC6rial\" }"
                            "\n\t</style>\n</head>"
                            "<body dir=\"ltr\"><table dir=\"rtl\"><tr><td><p>direction: ltr;</p></td></tr></table>";
    EXPECT_EQ(mended(page), "<style type=\"text/css\">\n\t\tp { line-height: 115%; text-align: left; background: "
                            "transparent }\n\t\th1 { }\n\t\th2 { font-family: \"\xC6rial\" }\n\t</style>\n</head>"
                            "<body dir=\"ltr\"><table dir=\"rtl\"><tr><td><p>direction: ltr;</p></td></tr></table>");
}

TEST(PageMending, AParagraphsOwnAlignmentOutweighsItsStyleAndPicturesKeepTheirs)
{
    EXPECT_EQ(mended("<p lang=\"en-US\" dir=\"rtl\" align=\"right\" style=\"margin-bottom: 0.14in\">a</p>"),
              "<p lang=\"en-US\" dir=\"rtl\" align=\"right\" style=\"text-align: right; margin-bottom: 0.14in\">a</p>");
    EXPECT_EQ(mended("<h2 align=\"center\">b</h2><p align=\"justify\" style=\"\">c</p>"),
              "<h2 align=\"center\" style=\"text-align: center\">b</h2><p align=\"justify\" style=\"text-align: "
              "justify\">c</p>");
    const QByteArray picture = "<img src=\"a.png\" align=\"left\" alt=\"x > y\"/><td align=\"right\">d</td>";
    EXPECT_EQ(mended(picture), picture);
}

// Page numbers and counts show nothing; file-name fields show the document's name as the field's
// format asks for it, never a folder; other fields stay as written.
struct Field {
    const char *name;
    QByteArray written;
    QByteArray shown;
    friend void PrintTo(const Field &row, std::ostream *out) { *out << row.name; }
};

class PageField : public ::testing::TestWithParam<Field> {};

TEST_P(PageField, ShowsWhatAWebPageCanShow)
{
    EXPECT_EQ(mended("<p>" + GetParam().written + "</p>"), "<p>" + GetParam().shown + "</p>");
}

INSTANTIATE_TEST_SUITE_P(
    PageMending, PageField,
    ::testing::Values(Field{"PageNumber", "<sdfield type=PAGE subtype=RANDOM format=ARABIC>0</sdfield>",
                            "<sdfield type=PAGE subtype=RANDOM format=ARABIC></sdfield>"},
                      Field{"PageCount", "<sdfield type=DOCSTAT subtype=PAGE format=PAGE>0</sdfield>",
                            "<sdfield type=DOCSTAT subtype=PAGE format=PAGE></sdfield>"},
                      Field{"WordCount", "<sdfield type=DOCSTAT subtype=WORD format=ARABIC>312</sdfield>",
                            "<sdfield type=DOCSTAT subtype=WORD format=ARABIC>312</sdfield>"},
                      Field{"FullPath", "<sdfield type=FILENAME format=PATHNAME>/srv/in/7/Report.final.doc</sdfield>",
                            "<sdfield type=FILENAME format=PATHNAME>Report.final.doc</sdfield>"},
                      Field{"FolderOnly", "<sdfield type=FILENAME format=PATH>/srv/in/7/</sdfield>",
                            "<sdfield type=FILENAME format=PATH></sdfield>"},
                      Field{
                          "NameWithoutExtension",
                          "<sdfield type=FILENAME format=NAME-NOEXT><font face=\"Arial\">Report</font>.final</sdfield>",
                          "<sdfield type=FILENAME format=NAME-NOEXT>Report.final</sdfield>"},
                      Field{"Date", "<sdfield type=DATETIME sdnum=\"1033;1033;M/D/YYYY\">12/7/2026</sdfield>",
                            "<sdfield type=DATETIME sdnum=\"1033;1033;M/D/YYYY\">12/7/2026</sdfield>"}),
    RowName);

TEST(PageMending, AFileNameIsWrittenAsText)
{
    EXPECT_EQ(MendPage("<sdfield type=FILENAME format=NAME>x</sdfield>", {QStringLiteral("<Q&A>.doc"), false, {}}),
              "<sdfield type=FILENAME format=NAME>&lt;Q&amp;A&gt;.doc</sdfield>");
}

TEST(PageMending, ListItemsShowTheDocumentsLabelsOrNone)
{
    const QByteArray page = "<ol>\n\t<li><p style=\"margin-bottom: 0in\">" + mark(0) + "One</p>\n\t<ol>\n\t\t<li>"
                            + "<p>\n\t\t<font face=\"Arial\">" + mark(1) + "Two</font></p>\n\t</ol>\n\t<li value=\"3\">"
                            + "<p>" + mark(2) + "Three</p>\n</ol>\n<h1>" + mark(3) + "1.1 Heading</h1>";
    EXPECT_EQ(mended(page, {{PageMark::Kind::ListItem, QStringLiteral("2.1.")},
                            {PageMark::Kind::ListItem, QStringLiteral("l'\\\"✓")},
                            {PageMark::Kind::ListItem, QString()},
                            {PageMark::Kind::ListItem, QStringLiteral("1.1")}}),
              "<ol>\n\t<li style=\"list-style-type: '2.1. '\"><p style=\"margin-bottom: 0in\">One</p>\n\t<ol>\n\t\t"
              "<li style=\"list-style-type: 'l\\'\\\\&quot;✓ '\"><p>\n\t\t<font face=\"Arial\">Two</font></p>\n\t</ol>"
              "\n\t<li value=\"3\" style=\"list-style-type: none\"><p>Three</p>\n</ol>\n<h1>1.1 Heading</h1>");
}

// Changes may follow each other at one place, their marks in any order; a change whose end
// comes first is empty.
TEST(PageMending, TrackedChangesAreMarkedAsDeletedAndInsertedAcrossParagraphs)
{
    const QByteArray page = "<p>Kept " + mark(1) + "gone <b>too</b></p>\n<p>" + mark(2) + mark(0) + "gone" + mark(3)
                            + mark(4) + mark(5) + "new</p><p>" + mark(7) + mark(6) + "kept" + mark(8) + mark(9)
                            + "</p>";
    EXPECT_EQ(mended(page, {{PageMark::Kind::ChangeEnds, {}, 1},
                            {PageMark::Kind::ChangeBegins, {}, 1, true},
                            {PageMark::Kind::ChangeBegins, {}, 2, true},
                            {PageMark::Kind::ChangeEnds, {}, 2},
                            {PageMark::Kind::ChangeBegins, {}, 3, false},
                            {PageMark::Kind::ChangeEnds, {}, 4},
                            {PageMark::Kind::ChangeEnds, {}, 3},
                            {PageMark::Kind::ChangeEnds, {}, 5},
                            {PageMark::Kind::ChangeBegins, {}, 4, true},
                            {PageMark::Kind::ChangeBegins, {}, 5, false}}),
              "<p>Kept <del>gone </del><b><del>too</del></b></p>\n<p><del>gone</del><ins>new</ins></p><p>kept</p>");
}

TEST(PageMending, CommentsAndScriptsThatAreNoMarksStayAsWritten)
{
    const QByteArray page = "<!DOCTYPE html><script>if (a<b) x = \"<!--\";</script><!-- a comment -->"
                            "<!--quorvane99999999-0--><!--"
                            + Prefix.toUtf8() + "7--><p>a < b</p>";
    EXPECT_EQ(mended(page, {{PageMark::Kind::ChangeBegins, {}, 0, true}}), page);
}

// A Filtered page shows only the pictures it holds; what the document only links to, and the empty
// picture the export writes for what it could not load, are left out. A Normal page keeps them.
TEST(PageMending, APageThatStandsAloneKeepsOnlyThePicturesItHolds)
{
    const QByteArray held = "<img src=\"data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADEl"
                            "EQVR4nGP4z8AAAAMBAQDJ/pLvAAAAAElFTkSuQmCC\" name=\"a\"/>";
    const QByteArray page = "<p>" + held + "<img src=\"data:image/png;base64,iVBORw0KGgo=\" name=\"b\"/>"
                            + "<img src=\"http://example.org/t.png\"/><img src=\"/home/u/secret.png\">"
                            + "<IMG name=\"Shape1\" alt=\"Shape1\"/>a</p>";
    EXPECT_EQ(MendPage(page, {QStringLiteral("a.docx"), true, {}}), "<p>" + held + "a</p>");
    EXPECT_EQ(MendPage(page, {QStringLiteral("a.docx"), false, {}}), page);
}
