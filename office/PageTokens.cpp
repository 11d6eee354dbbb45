// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageTokens.h"

#include <cctype>
#include <utility>

namespace {

bool isNameStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// True when a tag, a comment or a declaration starts at at (its '<').
bool startsTag(QByteArrayView page, qsizetype at)
{
    if (at + 1 >= page.size())
        return false;
    const char next = page[at + 1];
    return isNameStart(next) || next == '!' || next == '?'
           || (next == '/' && at + 2 < page.size() && isNameStart(page[at + 2]));
}

// Where the content of a style or script element that starts at from ends: at the element's end
// tag, whatever the content holds, or at the page's end.
qsizetype rawTextEnd(QByteArrayView page, qsizetype from, const QByteArray &element)
{
    const QByteArray endTag = "</" + element;
    for (qsizetype at = page.indexOf("</", from); at >= 0; at = page.indexOf("</", at + 2)) {
        if (page.sliced(at).first(qMin(endTag.size(), page.size() - at)).compare(endTag, Qt::CaseInsensitive) == 0)
            return at;
    }
    return page.size();
}

// Where the tag that starts at from ends: just after its '>', quoted values passed over; the
// page's end when nothing closes it.
qsizetype tagEnd(QByteArrayView page, qsizetype from)
{
    for (qsizetype at = from + 1; at < page.size(); ++at) {
        if (page[at] == '>')
            return at + 1;
        if (page[at] != '=')
            continue;
        qsizetype value = at + 1;
        while (value < page.size() && isSpace(page[value]))
            ++value;
        if (value < page.size() && (page[value] == '"' || page[value] == '\'')) {
            const qsizetype close = page.indexOf(page[value], value + 1);
            if (close < 0)
                return page.size();
            at = close;
        }
    }
    return page.size();
}

struct Attribute {
    QByteArrayView value;
    qsizetype offset; // where the value starts in the tag
};

std::optional<Attribute> findAttribute(QByteArrayView tag, QByteArrayView name)
{
    qsizetype at = 1;
    while (at < tag.size() && !isSpace(tag[at]) && tag[at] != '>' && tag[at] != '/')
        ++at;
    while (at < tag.size()) {
        while (at < tag.size() && (isSpace(tag[at]) || tag[at] == '/'))
            ++at;
        if (at >= tag.size() || tag[at] == '>')
            break;
        const qsizetype nameStart = at;
        while (at < tag.size() && !isSpace(tag[at]) && tag[at] != '=' && tag[at] != '>')
            ++at;
        const QByteArrayView attributeName = tag.sliced(nameStart, at - nameStart);
        while (at < tag.size() && isSpace(tag[at]))
            ++at;
        Attribute attribute{{}, at};
        if (at < tag.size() && tag[at] == '=') {
            ++at;
            while (at < tag.size() && isSpace(tag[at]))
                ++at;
            if (at < tag.size() && (tag[at] == '"' || tag[at] == '\'')) {
                const qsizetype close = tag.indexOf(tag[at], at + 1);
                const qsizetype end = close < 0 ? tag.size() : close;
                attribute = {tag.sliced(at + 1, end - at - 1), at + 1};
                at = end + 1;
            } else {
                const qsizetype start = at;
                while (at < tag.size() && !isSpace(tag[at]) && tag[at] != '>')
                    ++at;
                attribute = {tag.sliced(start, at - start), start};
            }
        }
        if (attributeName.compare(name, Qt::CaseInsensitive) == 0)
            return attribute;
    }
    return std::nullopt;
}

} // namespace

std::optional<PageToken> PageTokens::next()
{
    if (position_ >= page_.size())
        return std::nullopt;
    if (!rawElement_.isEmpty()) {
        const qsizetype end = rawTextEnd(page_, position_, std::exchange(rawElement_, {}));
        if (end != position_)
            return text(end);
    }
    if (page_[position_] == '<' && startsTag(page_, position_)) {
        const char next = page_[position_ + 1];
        if (next == '/')
            return tag(PageToken::Kind::EndTag, tagEnd(page_, position_));
        if (isNameStart(next))
            return tag(PageToken::Kind::StartTag, tagEnd(page_, position_));
        if (page_.sliced(position_).startsWith("<!--")) {
            const qsizetype close = page_.indexOf("-->", position_ + 4);
            return tag(PageToken::Kind::Other, close < 0 ? page_.size() : close + 3);
        }
        return tag(PageToken::Kind::Other, tagEnd(page_, position_));
    }
    qsizetype end = position_ + 1;
    while ((end = page_.indexOf('<', end)) >= 0 && !startsTag(page_, end))
        ++end;
    return text(end < 0 ? page_.size() : end);
}

PageToken PageTokens::tag(PageToken::Kind kind, qsizetype end)
{
    PageToken token{kind, page_.sliced(position_, end - position_), {}};
    qsizetype at = token.bytes.startsWith("</") ? 2 : 1;
    while (at < token.bytes.size() && std::isalnum(static_cast<unsigned char>(token.bytes[at])) != 0)
        token.name += static_cast<char>(std::tolower(static_cast<unsigned char>(token.bytes[at++])));
    if (kind == PageToken::Kind::StartTag && (token.name == "style" || token.name == "script")
        && !token.bytes.endsWith("/>"))
        rawElement_ = token.name;
    position_ = end;
    return token;
}

PageToken PageTokens::text(qsizetype end)
{
    PageToken token{PageToken::Kind::Text, page_.sliced(position_, end - position_), {}};
    position_ = end;
    return token;
}

std::optional<QByteArrayView> TagAttribute(QByteArrayView tag, QByteArrayView name)
{
    if (const auto attribute = findAttribute(tag, name))
        return attribute->value;
    return std::nullopt;
}

QByteArray WithStyle(QByteArrayView tag, QByteArrayView declaration)
{
    QByteArray result = tag.toByteArray();
    if (const auto style = findAttribute(tag, "style"))
        return result.insert(style->offset, declaration.toByteArray() + (style->value.trimmed().isEmpty() ? "" : "; "));
    const qsizetype end = tag.endsWith("/>") ? tag.size() - 2 : tag.size() - 1;
    return result.insert(end, " style=\"" + declaration.toByteArray() + '"');
}
