// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageMending.h"

#include "PageTokens.h"
#include "WriteFailure.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace {

// The elements that the export writes for paragraphs, with their style's rule in the style sheet.
bool isParagraph(const QByteArray &element)
{
    static const QByteArrayList paragraphs{"p",  "h1",  "h2",      "h3",         "h4", "h5",
                                           "h6", "pre", "address", "blockquote", "dd", "dt"};
    return paragraphs.contains(element);
}

bool isBlank(QByteArrayView text)
{
    return text.trimmed().isEmpty();
}

QByteArray escapedText(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

// text as a CSS string in a style attribute.
QByteArray cssString(const QString &text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('\''))
            escaped += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20)
            escaped += QStringLiteral("\\%1 ").arg(c.unicode(), 0, 16);
        else
            escaped += c;
    }
    return escapedText(QLatin1Char('\'') + escaped + QLatin1Char('\''));
}

// The style sheet without its writing directions; its other bytes as they are.
QByteArray withoutDirections(QByteArrayView styleSheet)
{
    static const QRegularExpression direction(QStringLiteral("\\bdirection:\\s*(?:ltr|rtl)\\s*(?:;\\s*)?"));
    return QString::fromLatin1(styleSheet).remove(direction).toLatin1();
}

// What a field of the page is to show instead of what the office wrote, if anything: page
// numbers and counts nothing, file names the document's name as the field's format asks for it.
std::optional<QString> fieldText(QByteArrayView tag, const QString &documentName)
{
    const QByteArrayView type = TagAttribute(tag, "type").value_or("");
    const QByteArrayView subtype = TagAttribute(tag, "subtype").value_or("");
    if (type == "PAGE" || (type == "DOCSTAT" && subtype == "PAGE"))
        return QString();
    if (type != "FILENAME")
        return std::nullopt;
    const QByteArrayView format = TagAttribute(tag, "format").value_or("");
    if (format == "PATH")
        return QString();
    if (format == "NAME-NOEXT")
        return QFileInfo(documentName).completeBaseName();
    return documentName;
}

// The bare signature of a PNG, what the export writes for a picture it could not load.
constexpr qsizetype SignatureOnly = 8;

// A picture element whose picture the page itself holds, as a data: address with a picture in it.
bool holdsItsPicture(QByteArrayView image)
{
    const QByteArrayView source = TagAttribute(image, "src").value_or("");
    const qsizetype data = source.indexOf(";base64,");
    return source.startsWith("data:image/") && data > 0
           && QByteArray::fromBase64(source.sliced(data + 8).toByteArray()).size() > SignatureOnly;
}

class PageMender {
public:
    explicit PageMender(const PageFacts &facts)
        : facts_(facts)
    {
    }

    QByteArray mend(const QByteArray &page)
    {
        out_.reserve(page.size() + page.size() / 16);
        PageTokens tokens(page);
        while (const auto token = tokens.next()) {
            switch (token->kind) {
            case PageToken::Kind::Text:
                text(token->bytes);
                break;
            case PageToken::Kind::StartTag:
                startTag(*token);
                break;
            case PageToken::Kind::EndTag:
                endTag(*token);
                break;
            case PageToken::Kind::Other:
                other(token->bytes);
                break;
            }
        }
        return std::move(out_);
    }

private:
    void text(QByteArrayView text)
    {
        if (fieldReplaced_)
            return;
        if (inStyleSheet_) {
            out_ += withoutDirections(text);
            return;
        }
        if (isBlank(text)) {
            out_ += text;
            return;
        }
        listItem_.reset();
        const bool deleted = std::any_of(changes_.begin(), changes_.end(),
                                         [](const auto &change) { return change.second; });
        const QByteArray change = deleted ? "del" : changes_.empty() ? "" : "ins";
        if (change.isEmpty())
            out_ += text;
        else
            out_ += '<' + change + '>' + text.toByteArray() + "</" + change + '>';
    }

    void startTag(const PageToken &tag)
    {
        if (fieldReplaced_)
            return;
        if (tag.name == "li") {
            listItem_ = {out_.size(), tag.bytes.size()};
        } else if (tag.name == "style") {
            inStyleSheet_ = true;
        } else if (tag.name == "sdfield") {
            if (const auto shown = fieldText(tag.bytes, facts_.documentName)) {
                out_ += tag.bytes;
                out_ += escapedText(*shown);
                fieldReplaced_ = true;
                return;
            }
        } else if (isParagraph(tag.name)) {
            out_ += withOwnAlignment(tag.bytes);
            return;
        } else if (tag.name == "img" && facts_.standsAlone && !holdsItsPicture(tag.bytes)) {
            return;
        }
        out_ += tag.bytes;
    }

    void endTag(const PageToken &tag)
    {
        if (tag.name == "sdfield")
            fieldReplaced_ = false;
        if (fieldReplaced_)
            return;
        if (tag.name == "style")
            inStyleSheet_ = false;
        out_ += tag.bytes;
    }

    // A mark's comment gives way to what the mark asks for.
    void other(QByteArrayView bytes)
    {
        if (const PageMark *found = mark(bytes))
            apply(*found);
        else if (!fieldReplaced_)
            out_ += bytes;
    }

    // A paragraph's align attribute yields to any rule of the style sheet; its own style does not.
    static QByteArray withOwnAlignment(QByteArrayView tag)
    {
        const QByteArray align = TagAttribute(tag, "align").value_or("").toByteArray().toLower();
        static const QByteArrayList alignments{"left", "right", "center", "justify"};
        return alignments.contains(align) ? WithStyle(tag, "text-align: " + align) : tag.toByteArray();
    }

    // The mark whose comment bytes are, if they are one.
    const PageMark *mark(QByteArrayView bytes) const
    {
        const QByteArray prefix = "<!--" + facts_.marks.prefix.toUtf8();
        if (facts_.marks.prefix.isEmpty() || !bytes.startsWith(prefix) || !bytes.endsWith("-->"))
            return nullptr;
        bool number = false;
        const qulonglong index = bytes.sliced(prefix.size(), bytes.size() - prefix.size() - 3).toULongLong(&number);
        return number && index < facts_.marks.marks.size() ? &facts_.marks.marks[index] : nullptr;
    }

    void apply(const PageMark &mark)
    {
        switch (mark.kind) {
        case PageMark::Kind::ListItem:
            labelListItem(mark.label);
            break;
        case PageMark::Kind::ChangeBegins:
            // A change whose end came first, as where it is empty, marks nothing.
            if (ended_.count(mark.change) == 0)
                changes_[mark.change] = mark.deletion;
            break;
        case PageMark::Kind::ChangeEnds:
            changes_.erase(mark.change);
            ended_.insert(mark.change);
            break;
        }
    }

    // Gives the list item whose content begins here the document's label in place of the
    // browser's. A numbered paragraph that is not a list item has its number in its text.
    void labelListItem(const QString &label)
    {
        if (!listItem_)
            return;
        const auto [start, size] = *std::exchange(listItem_, std::nullopt);
        const QByteArray style = "list-style-type: " + (label.isEmpty() ? "none" : cssString(label + QLatin1Char(' ')));
        out_.replace(start, size, WithStyle(QByteArrayView(out_).sliced(start, size), style));
    }

    const PageFacts &facts_;
    QByteArray out_;
    bool inStyleSheet_ = false;
    bool fieldReplaced_ = false;  // within a field whose content is replaced
    std::map<int, bool> changes_; // the tracked changes the text is in, and whether each is a deletion
    std::set<int> ended_;         // the changes whose end has passed
    // Where in out_ the start tag of the list item whose content has not begun stands, and its size.
    std::optional<std::pair<qsizetype, qsizetype>> listItem_;
};

} // namespace

QByteArray MendPage(const QByteArray &page, const PageFacts &facts)
{
    return PageMender(facts).mend(page);
}

void MendPageFile(const QString &path, const PageFacts &facts)
{
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly))
        throw PageWriteFailure(
            QStringLiteral("the page written could not be read again (%1)").arg(written.errorString()));
    const QByteArray mended = MendPage(written.readAll(), facts);
    written.close();
    QSaveFile page(path);
    if (!page.open(QIODevice::WriteOnly) || page.write(mended) != mended.size() || !page.commit())
        throw PageWriteFailure(QStringLiteral("the page could not be written (%1)").arg(page.errorString()));
}
