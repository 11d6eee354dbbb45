// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleControls.h"

#include "FocusHolder.h"
#include "PictureButton.h"

#include <QAccessibleWidget>

namespace {

// A picture button is a check box only so that its command can tell a click from the release
// that follows; its user sees a push button and gets one: named by its caption without the
// blank that leads one of them, pressed while held down, never checked.
class AccessiblePictureButton : public QAccessibleWidget {
public:
    explicit AccessiblePictureButton(PictureButton *button)
        : QAccessibleWidget(button, QAccessible::PushButton)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? button()->text().trimmed() : QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        return state;
    }
    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    PictureButton *button() const { return static_cast<PictureButton *>(widget()); }
};

// Not valid: assistive technology gets no object to present, so the focus holder is neither
// listed among the window's controls nor announced when it takes the focus.
class UnannouncedControl : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
    bool isValid() const override { return false; }
};

// Asked with the name of each class of the object, most derived first.
QAccessibleInterface *accessibleControl(const QString &className, QObject *object)
{
    if (className == QLatin1String(PictureButton::staticMetaObject.className()))
        return new AccessiblePictureButton(static_cast<PictureButton *>(object));
    if (className == QLatin1String(FocusHolder::staticMetaObject.className()))
        return new UnannouncedControl(static_cast<FocusHolder *>(object));
    return nullptr;
}

} // namespace

void InstallAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleControl);
        return true;
    }();
    Q_UNUSED(installed);
}
