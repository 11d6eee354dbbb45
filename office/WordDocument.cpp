// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordDocument.h"

#include "AbortingInteractionHandler.h"
#include "BoundArguments.h"
#include "DocumentPreparation.h"
#include "EncryptedPackage.h"
#include "LocalPaths.h"
#include "NameBytes.h"
#include "OfficeErrors.h"
#include "OfficeProcess.h"
#include "PageMending.h"
#include "PublishHtml.h"
#include "StagedPage.h"
#include "UnoProperties.h"
#include "UnoText.h"
#include "WordSaveAs.h"
#include "WorkPage.h"
#include "WriteFailure.h"

#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <rtl/ref.hxx>

#include <QFile>

#include <unistd.h>

namespace {
// A SaveAs argument must have the type of the value a conversion passes for it.
void requireTypeOf(const Variant &value, const Variant &expected)
{
    switch (expected.type()) {
    case Variant::Type::Boolean:
        value.toBool();
        break;
    case Variant::Type::Integer:
        value.toInt();
        break;
    case Variant::Type::Text:
        value.toText();
        break;
    default:
        break;
    }
}

// Whether both paths name the same file (through a link, another letter case or a hard link).
bool sameFile(const QString &path, const QString &other)
{
    const std::optional<struct stat> one = FileStatus(path), two = FileStatus(other);
    return one && two && one->st_dev == two->st_dev && one->st_ino == two->st_ino;
}
} // namespace

std::shared_ptr<WordDocument> WordDocument::open(const std::shared_ptr<DocumentOwner> &owner, const QString &path)
{
    const std::optional<struct stat> file = FileStatus(path);
    if (!file)
        throw OfficeErrors::documentNotFound(path);
    if (S_ISDIR(file->st_mode))
        throw OfficeErrors::folderNotDocument(path);
    // A pipe or device named like a document would leave the office waiting for data.
    if (!S_ISREG(file->st_mode))
        throw OfficeErrors::notADocumentFile(path);
    if (::access(NameToBytes(path).constData(), R_OK) != 0)
        throw OfficeErrors::documentUnreadable(path);
    auto document = std::make_shared<WordDocument>(owner, AbsolutePath(path));
    document->load();
    owner->adopt(document);
    return document;
}

WordDocument::WordDocument(std::shared_ptr<DocumentOwner> owner, QString path)
    : owner_(std::move(owner))
    , path_(std::move(path))
{
}

WordDocument::~WordDocument()
{
    try {
        close();
    } catch (const AutomationError &) {
        // A document that cannot be closed goes with its office.
    }
}

QString WordDocument::describe() const
{
    return QStringLiteral("\"%1\"").arg(ReadableName(path_));
}

void WordDocument::load()
{
    const QString task = QStringLiteral("opening %1").arg(describe());
    office_ = owner_->office(task);
    copy_ = office_->handIn(path_);
    const rtl::Reference<AbortingInteractionHandler> handler(new AbortingInteractionHandler);
    const auto arguments = properties(
        {property("ReadOnly", css::uno::Any(true)),
         property("MacroExecutionMode", css::uno::Any(css::document::MacroExecMode::NEVER_EXECUTE)),
         property("UpdateDocMode", css::uno::Any(css::document::UpdateDocMode::NO_UPDATE)),
         property("InteractionHandler",
                  css::uno::Any(css::uno::Reference<css::task::XInteractionHandler>(handler.get())))});
    bool refused = false;
    try {
        office_->call(office_->limits().call, task,
                      [&] { component_ = office_->loader().load(toFileUrl(copy_), arguments); });
    } catch (const AutomationError &error) {
        // Some office versions drop the connection rather than fail the load once a password
        // is refused; the lost office is replaced before the next task.
        if (error.number() != AutomationErrorNumber::EngineGone || !handler->askedForPassword())
            throw;
        refused = true;
    } catch (const css::uno::Exception &) {
        refused = true;
    }
    if (component_.is()) {
        office_->noteDocumentLoaded();
        return;
    }
    office_->noteFailure();
    if (handler->askedForPassword() || IsEncryptedOfficePackage(path_))
        throw OfficeErrors::passwordProtected(describe());
    throw handler->reportedDamage() || refused ? OfficeErrors::damaged(describe())
                                               : OfficeErrors::unreadableFormat(describe());
}

QString WordDocument::objectName() const
{
    return QStringLiteral("The document");
}

std::vector<OfficeObject::Member> WordDocument::members()
{
    return {{QStringLiteral("SaveAs"), [this](const PositionalArguments &positional, const NamedArguments &named) {
                 saveAs(positional, named);
                 return Variant();
             }}};
}

Variant WordDocument::DefaultMember()
{
    return FileNameOf(path_);
}

void WordDocument::saveAs(const PositionalArguments &positional, const NamedArguments &named)
{
    const BoundArguments arguments(QStringLiteral("SaveAs"), SaveAsParameters(), positional, named);
    // Every argument is checked for its type before anything is written.
    for (const auto &[name, expected] : SaveAsArguments({}, 0)) {
        if (arguments.has(name))
            requireTypeOf(arguments.value(name), expected);
    }
    if (!arguments.has(QStringLiteral("FileName")))
        throw OfficeErrors::fileNameMissing(describe());
    const int format = arguments.has(QStringLiteral("FileFormat"))
                           ? arguments.value(QStringLiteral("FileFormat")).toInt()
                           : -1;
    if (format != WordSaveFormat::Html && format != WordSaveFormat::FilteredHtml)
        throw OfficeErrors::unsupportedFormat(describe(), format);
    const QString target = AbsolutePath(arguments.value(QStringLiteral("FileName")).toText());
    if (target == path_ || sameFile(target, path_))
        throw OfficeErrors::wouldSaveOverItself(describe());
    // One store per loaded document: a second save starts from a fresh load.
    if (stored_ || !component_.is()) {
        close();
        load();
    }
    PublishHtml(target, [&](StagedPage &staged) { store(staged, format); });
}

// Both flavours are Writer's HTML export: Normal writes the pictures as files beside the page,
// Filtered embeds every one of them in the page as a PNG, charts and metafiles included, so the
// page stands alone. The office writes beside its copy of the document, where links relative to
// the document resolve as they do beside it; page and pictures are then taken from there.
void WordDocument::store(StagedPage &staged, int format)
{
    const QString folder = FolderOf(copy_);
    const QString page = WorkPagePath(folder);
    auto arguments = properties({property("FilterName", css::uno::Any(rtl::OUString("HTML (StarWriter)"))),
                                 property("Overwrite", css::uno::Any(true))});
    if (format == WordSaveFormat::FilteredHtml) {
        arguments.realloc(arguments.getLength() + 1);
        arguments.getArray()[arguments.getLength() - 1] = property("FilterOptions",
                                                                   css::uno::Any(rtl::OUString("EmbedImages")));
    }
    stored_ = true;
    PageMarks marks;
    try {
        // Asking the document for an interface is a call into the office too.
        office_->call(office_->limits().call, QStringLiteral("saving %1 as a web page").arg(describe()), [&] {
            marks = PrepareForExport(component_, office_->preparationScript());
            css::uno::Reference<css::frame::XStorable>(component_, css::uno::UNO_QUERY_THROW)
                ->storeToURL(toFileUrl(page), arguments);
        });
    } catch (const css::uno::Exception &error) {
        throw PageWriteFailure(OfficeErrors::pageNotWritten(toQString(error.Message)));
    }
    MendPageFile(page,
                 {NameWithReplacements(FileNameOf(path_)), format == WordSaveFormat::FilteredHtml, std::move(marks)});
    NameWorkPage(folder, staged.place());
    staged.takeFrom(folder, FileNameOf(copy_));
}

void WordDocument::close()
{
    const css::uno::Reference<css::lang::XComponent> component = std::exchange(component_, {});
    if (component.is() && office_->isAlive()) {
        office_->call(office_->limits().call, QStringLiteral("closing %1").arg(describe()), [&] {
            try {
                css::uno::Reference<css::util::XCloseable>(component, css::uno::UNO_QUERY_THROW)->close(true);
            } catch (const css::uno::Exception &) {
                // A document the office will not close goes when the office ends; nothing of ours
                // depends on it.
            }
        });
    }
    if (!copy_.isEmpty())
        office_->forget(std::exchange(copy_, QString()));
}
