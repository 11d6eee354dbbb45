// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureButton.h"

#include "AccessibleControls.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int PictureSize = 32;
constexpr int PictureToCaption = 4;
constexpr int CaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

// Hands a key to handle, Enter (Return or the keypad's Enter) as the Space that a push button
// answers to: pressed while the key is held, clicked when it is let go.
template <typename Handler>
void enterAsSpace(QKeyEvent *event, Handler handle)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        handle(event);
        return;
    }
    QKeyEvent space(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "), event->isAutoRepeat());
    handle(&space);
    event->setAccepted(space.isAccepted());
}
} // namespace

PictureButton::PictureButton(const QString &caption, QWidget *parent)
    : QToolButton(parent)
{
    InstallAccessibleControls();
    setCheckable(true);
    setText(caption);
    setIconSize(QSize(PictureSize, PictureSize));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    const bool pressed = isDown() || isChecked();
    if (pressed)
        option.state |= QStyle::State_Sunken;
    if (isChecked())
        option.state |= QStyle::State_On;
    painter.drawPrimitive(QStyle::PE_PanelButtonCommand, option);

    QRect content = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (pressed)
        content.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    // Picture and caption as one block, centred in the button.
    const QRect captionSize = fontMetrics().boundingRect(QRect(0, 0, content.width(), content.height()), CaptionFlags,
                                                         text());
    const int blockTop = content.top()
                         + (content.height() - (PictureSize + PictureToCaption + captionSize.height())) / 2;
    const QRect pictureRect(content.center().x() - PictureSize / 2 + 1, blockTop, PictureSize, PictureSize);
    icon().paint(&painter, pictureRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    const QRect captionRect(content.left(), pictureRect.bottom() + 1 + PictureToCaption, content.width(),
                            captionSize.height());
    painter.drawItemText(captionRect, CaptionFlags, palette(), isEnabled(), text(), QPalette::ButtonText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = captionRect.adjusted(-2, -1, 2, 1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void PictureButton::setPicture(const QString &name)
{
    const QString path = QStringLiteral(":/pictures/") + name;
    QIcon picture(path + QStringLiteral(".ico"));
    for (const char *size : {"-64.png", "-96.png"})
        picture.addFile(path + QLatin1String(size));
    setIcon(picture);
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    enterAsSpace(event, [this](QKeyEvent *key) { QToolButton::keyPressEvent(key); });
}

void PictureButton::keyReleaseEvent(QKeyEvent *event)
{
    enterAsSpace(event, [this](QKeyEvent *key) { QToolButton::keyReleaseEvent(key); });
}
