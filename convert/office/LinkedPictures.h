#pragma once
// A Filtered page stands alone: it shows the pictures it holds and reaches for none elsewhere.
// Pictures the document only linked to (an address, a file of the user's) are not fetched for
// it, so the export leaves them as empty pictures or as links; they are left out of the page.

#include <QByteArray>

// html with every picture left out that the page does not itself hold (as a data: address with
// a picture in it).
QByteArray LeaveOutLinkedPictures(const QByteArray &html);
