// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A web page read as its tags and the text between them, in order, for a pass that copies the
// page and changes some of them on the way. The content of style and script elements is text.

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

struct PageToken {
    enum class Kind { Text, StartTag, EndTag, Other }; // Other: comments, the doctype
    Kind kind;
    QByteArrayView bytes; // as it stands in the page
    QByteArray name;      // a tag's element name, in lower case
};

class PageTokens {
public:
    // page must outlive the tokens.
    explicit PageTokens(QByteArrayView page)
        : page_(page)
    {
    }
    // The next token; none at the end of the page.
    std::optional<PageToken> next();

private:
    PageToken tag(PageToken::Kind kind, qsizetype end);
    PageToken text(qsizetype end);

    QByteArrayView page_;
    qsizetype position_ = 0;
    QByteArray rawElement_; // the style or script element whose content comes next
};

// The value of a start tag's attribute as it is written, without its quotes; none when the tag
// has no such attribute.
std::optional<QByteArrayView> TagAttribute(QByteArrayView tag, QByteArrayView name);

// The start tag with declaration put first into its style attribute, which it gets if it has
// none.
QByteArray WithStyle(QByteArrayView tag, QByteArrayView declaration);
