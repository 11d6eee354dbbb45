// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConvertDocument.h"

#include "FileNameHelpers.h"
#include "LocalPaths.h"
#include "ObjectRegistry.h"
#include "WordClass.h"

namespace {

const QString HtmlSuffix = QStringLiteral(".htm");

// The text after the path's last dot, unless there is no dot or that text holds a "/": then
// the dot lies in a folder name and the file name has no extension.
std::optional<QString> extensionOf(const QString &path)
{
    if (!path.contains(QLatin1Char('.')))
        return std::nullopt;
    QString extension = path; // GetFileExtension overwrites its argument
    Main::GetFileExtension(extension);
    if (extension.contains(QLatin1Char('/')))
        return std::nullopt;
    return extension;
}

// The path with its extension, dot included, replaced by ".htm"; a path without an extension
// keeps its whole text, so the output always lands in the document's own folder.
QString pathBeside(const QString &path)
{
    const std::optional<QString> extension = extensionOf(path);
    return extension ? path.chopped(extension->size() + 1) + HtmlSuffix : path + HtmlSuffix;
}

// Any other page, "Report.htm" of "Report.html" too, is a file of its own.
void refuseSavingOverItself(const QString &path, const QString &page)
{
    if (AbsolutePath(page) == AbsolutePath(path))
        throw AutomationError(AutomationErrorNumber::WouldOverwriteSource,
                              QStringLiteral("The document is itself the .htm page it would be saved as; it was "
                                             "left unchanged."));
}

// After a failure the instance is still ended; should Quit fail too, the first failure is the
// one worth reporting, so Quit's own is dropped.
void quitAfterFailure(AutomationObject &word) noexcept
{
    try {
        word.Invoke(QStringLiteral("Quit"));
    } catch (...) {
    }
}

} // namespace

QString PagePath(const QString &path, const QString &pageFolder)
{
    const QString beside = pathBeside(path);
    return pageFolder.isEmpty() ? beside : pageFolder + QLatin1Char('/') + FileNameOf(beside);
}

std::optional<StagedPage> ConvertDocument(const QString &path, std::optional<std::int32_t> format,
                                          const QString &pageFolder)
{
    const ObjectRef word = CreateInstance(WordClass);
    // The document is held until the instance has quit: Quit closes it, nothing else does.
    ObjectRef document;
    std::optional<StagedPage> page;
    try {
        const ObjectRef documents = word->Invoke(QStringLiteral("Documents")).toObject();
        document = documents->Invoke(QStringLiteral("Open"), {path}).toObject();
        const QString outputPath = PagePath(path, pageFolder);
        refuseSavingOverItself(path, outputPath);
        if (format) {
            page.emplace(outputPath);
            document->Invoke(QStringLiteral("SaveAs"), {}, SaveAsArguments(page->pagePath(), *format));
        }
    } catch (...) {
        quitAfterFailure(*word);
        throw;
    }
    word->Invoke(QStringLiteral("Quit"));
    return page;
}
