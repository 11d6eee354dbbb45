// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the file list, the two HTML flavours, the three command buttons and the
// progress bar. The window owns the controls and the handlers; each handler hands its work to
// the concern it belongs to: the file list, the folder import or the conversion run.

#include "CommonDialog.h"
#include "ConversionRun.h"
#include "FileList.h"
#include "FocusHolder.h"
#include "FolderImport.h"
#include "MousePointer.h"
#include "PictureButton.h"
#include "Platform.h"
#include "WindowDestroyedWatch.h"

#include <QCursor>
#include <QProgressBar>
#include <QRadioButton>
#include <QTreeWidget>
#include <QWidget>

#include <optional>

class QDropEvent;
class QKeyEvent;

class Form1 : public QWidget, public WindowPointer {
    Q_OBJECT
public:
    explicit Form1(const Platform &platform, QWidget *parent = nullptr);
    ~Form1() override;

    // The window's pointer state (0, 11 or 99), applied over the whole client area.
    int MousePointer() const override { return mousePointer; }
    void setMousePointer(int state) override;

    // Handlers.
    void Form_Load();
    void Form_Unload();
    void Form_MouseMove();
    void CommandButton_MouseMove(); // over Check1, Check2 or Check4
    void Check1_Click();
    void Check2_Click();
    void Check4_Click();
    void ListView1_DblClick();
    void ListView1_ItemClick();
    void ListView1_MouseDown();
    void ListView1_MouseMove(const QPoint &position);
    void ListView1_MouseUp();
    // Delete and BackSpace remove the selected entry as a double-click does; true for those keys.
    bool ListView1_KeyDown(const QKeyEvent &key);
    void ListView1_OLEDragOver(QDropEvent &event);
    void ListView1_OLEDragDrop(QDropEvent &event);

    // Start-up helpers.
    void CenterForm(QWidget &form);
    void VisitHomePageAtRandom();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void placeControls();
    void styleControls();
    void wireControls();
    // Routes the list viewport's mouse and drop events to the ListView1_ handlers.
    bool listViewEvent(QEvent *event);
    // Puts a clicked picture button back to released; false when it was released already (the
    // notification that putting it back raises).
    static bool springBack(QToolButton *button);
    // Sets the pointer to state unless the hourglass of a running command shows.
    void showPointerUnlessBusy(int state);
    // The save format of the HTML flavour chosen now: 8 Normal, 10 Filtered, none without a choice.
    std::optional<std::int32_t> chosenSaveFormat() const;

    inline static const QString ListColumnTitle = QStringLiteral("Word File(s)");

    Platform platform_;
    int mousePointer = DefaultPointer;
    bool centredInFrame = false; // once the window system has framed the window
    QCursor handCursor;          // from HAND-M.CUR; the arrow when the file is missing

    QTreeWidget *ListView1 = new QTreeWidget(this);
    QRadioButton *Option1 = new QRadioButton(QStringLiteral("Normal"), this);
    QRadioButton *Option2 = new QRadioButton(QStringLiteral("Filtered"), this);
    PictureButton *Check1 = new PictureButton(QStringLiteral("Add Word File(s)"), this);
    PictureButton *Check4 = new PictureButton(QStringLiteral(" Add All Word Files In Folder"), this);
    PictureButton *Check2 = new PictureButton(QStringLiteral("Convert to HTML"), this);
    QProgressBar *ProgressBar1 = new QProgressBar(this);
    FocusHolder *Command1 = new FocusHolder(QStringLiteral("Command1"), this);
    CommonDialog CommonDialog1;

    FileList fileList{*ListView1, *this, platform_.programDirectory};
    FolderImport folderImport{platform_.dialogs, this, *this, fileList};
    ConversionRun conversionRun{platform_.dialogs,
                                this,
                                *this,
                                fileList,
                                [this] { return chosenSaveFormat(); },
                                [this](float value) { ProgressBar1->setValue(qRound(value)); }};
    // A window destroyed from outside ends the program as a close does.
    WindowDestroyedWatch destroyedWatch{*this, [this] { Form_Unload(); }};
};
