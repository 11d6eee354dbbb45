#include "LinkedPictures.h"

#include <QRegularExpression>

namespace {

// The bare signature of a PNG, what the export writes for a picture it could not load.
constexpr qsizetype SignatureOnly = 8;

bool holdsPicture(const QByteArray &image)
{
    static const QRegularExpression source(
        QStringLiteral("\\ssrc\\s*=\\s*\"data:image/[\\w.+-]+;base64,([A-Za-z0-9+/=\\s]*)\""),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = source.match(QString::fromLatin1(image));
    return match.hasMatch() && QByteArray::fromBase64(match.captured(1).toLatin1()).size() > SignatureOnly;
}

// Where the next picture element starts at or after from; -1 when none does.
qsizetype nextImage(const QByteArray &html, qsizetype from)
{
    for (qsizetype at = html.indexOf("<img", from); at >= 0; at = html.indexOf("<img", at + 4)) {
        const char next = at + 4 < html.size() ? html.at(at + 4) : '\0';
        if (next == ' ' || next == '\t' || next == '\n' || next == '\r' || next == '/' || next == '>')
            return at;
    }
    return -1;
}

} // namespace

QByteArray LeaveOutLinkedPictures(const QByteArray &html)
{
    // Byte by byte, so that the rest of the page stays exactly as written.
    QByteArray kept;
    kept.reserve(html.size());
    qsizetype from = 0;
    for (qsizetype start = nextImage(html, from); start >= 0; start = nextImage(html, from)) {
        const qsizetype end = html.indexOf('>', start);
        if (end < 0)
            break;
        kept += html.mid(from, start - from);
        const QByteArray image = html.mid(start, end + 1 - start);
        if (holdsPicture(image))
            kept += image;
        from = end + 1;
    }
    kept += html.mid(from);
    return kept;
}
