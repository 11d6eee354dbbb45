// ConvertDocument against the real office engine on test documents.

#include "ConvertDocument.h"
#include "ObjectRegistry.h"
#include "OfficeChildren.h"
#include "OfficeEngine.h"
#include "TestDocuments.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ConvertWithOffice, WritesHtmlBesideEachDocumentAndNothingForAnEncryptedOne)
{
    RegisterOfficeEngine();
    QTemporaryDir folder;
    const auto contentsOf = [&](const QString &name) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const auto copyOfTestDocument = [&](const QString &name) { return CopyTestDocument(name, folder.path()); };
    const auto format = [](std::int32_t number) { return [number] { return std::optional<std::int32_t>(number); }; };
    const QString encrypted = QStringLiteral("password_password_cryptoapi.doc");

    ConvertDocument(copyOfTestDocument(QStringLiteral("Word6.doc")), format(WordSaveFormat::Html));
    ConvertDocument(copyOfTestDocument(QStringLiteral("footnote.doc")), format(WordSaveFormat::FilteredHtml));
    const QString encryptedPath = copyOfTestDocument(encrypted);
    const QByteArray encryptedBefore = contentsOf(encrypted);
    EXPECT_THROW(ConvertDocument(encryptedPath, format(WordSaveFormat::Html)), AutomationError);

    EXPECT_TRUE(contentsOf(QStringLiteral("Word6.htm")).toLower().contains("<html"));
    EXPECT_TRUE(contentsOf(QStringLiteral("footnote.htm")).toLower().contains("<html"));
    EXPECT_EQ(contentsOf(encrypted), encryptedBefore);
    QStringList files = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    EXPECT_EQ(files, (QStringList{"Word6.doc", "Word6.htm", "footnote.doc", "footnote.htm", encrypted}));

    // No application object outlives its document, and once the warm offices are ended no office
    // child of this program is left.
    EXPECT_THROW(GetObject(QStringLiteral("Word.Application")), AutomationError);
    EndIdleOfficeProcesses();
    EXPECT_TRUE(OfficeChildren().isEmpty());
}
