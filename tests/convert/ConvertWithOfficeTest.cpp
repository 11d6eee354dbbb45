// ConvertDocument against the real office engine on corpus documents: the HTML lands beside
// the document, a document that cannot be converted fails without output, and no application
// object outlives its document.

#include "convert/ConvertDocument.h"
#include "convert/automation/AutomationError.h"
#include "convert/automation/ObjectRegistry.h"
#include "convert/office/OfficeEngine.h"
#include "support/OfficeChildren.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// No application object outlives its document: none is listed as running, and once the warm
// office processes are ended no office child of this program is left.
void expectNoWordLeft()
{
    EXPECT_THROW(GetObject(QStringLiteral("Word.Application")), AutomationError);
    EndIdleOfficeProcesses();
    EXPECT_TRUE(OfficeChildren().isEmpty());
}

class ConvertWithOffice : public ::testing::Test {
protected:
    QString copyOfCorpus(const QString &name)
    {
        const QString copy = folder.filePath(name);
        EXPECT_TRUE(QFile::copy(QStringLiteral(QUORVANE_CORPUS_DIR "/") + name, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }
    QByteArray contentsOf(const QString &name) const
    {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    static SaveFormatChoice format(std::int32_t number)
    {
        return [number] { return std::optional<std::int32_t>(number); };
    }
    static int errorNumberOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const AutomationError &error) {
            return error.number();
        }
        return 0;
    }

    QTemporaryDir folder;
};

} // namespace

TEST_F(ConvertWithOffice, WritesNormalOrFilteredHtmlBesideTheDocument)
{
    ConvertDocument(copyOfCorpus(QStringLiteral("Word6.doc")), format(WordSaveFormat::Html));
    ConvertDocument(copyOfCorpus(QStringLiteral("footnote.doc")), format(WordSaveFormat::FilteredHtml));

    EXPECT_TRUE(contentsOf(QStringLiteral("Word6.htm")).toLower().contains("<html"));
    EXPECT_TRUE(contentsOf(QStringLiteral("footnote.htm")).contains("http://www.w3.org/1999/xhtml"));
    EXPECT_EQ(files(), (QStringList{"Word6.doc", "Word6.htm", "footnote.doc", "footnote.htm"}));
    expectNoWordLeft();
}

TEST_F(ConvertWithOffice, AnEncryptedDocumentFailsWithoutOutputAndEndsItsOffice)
{
    const QString path = copyOfCorpus(QStringLiteral("password_password_cryptoapi.doc"));
    const QByteArray before = contentsOf(QStringLiteral("password_password_cryptoapi.doc"));

    EXPECT_NE(errorNumberOf([&] { ConvertDocument(path, format(WordSaveFormat::Html)); }), 0);
    EXPECT_EQ(files(), QStringList{"password_password_cryptoapi.doc"});
    EXPECT_EQ(contentsOf(QStringLiteral("password_password_cryptoapi.doc")), before);
    expectNoWordLeft();
}

TEST_F(ConvertWithOffice, AnHtmlDocumentIsLeftAsItIs)
{
    const QString path = folder.filePath(QStringLiteral("Page.htm"));
    QFile page(path);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><p>The user's own page.</p></body></html>");
    page.close();

    EXPECT_EQ(errorNumberOf([&] { ConvertDocument(path, format(WordSaveFormat::Html)); }),
              AutomationErrorNumber::WouldOverwriteSource);
    EXPECT_EQ(contentsOf(QStringLiteral("Page.htm")), "<html><body><p>The user's own page.</p></body></html>");
    EXPECT_EQ(files(), QStringList{"Page.htm"});
    expectNoWordLeft();
}
