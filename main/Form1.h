#pragma once
// The main window. Declared once here; each handler is defined in the folder of its concern:
// start-up, pointer feedback and shut-down in main/, the list handlers and the add-files
// dialog in filelist/, the folder import in folders/, the conversion run in convert/.

#include "filelist/CommonDialog.h"
#include "main/Platform.h"

#include <QCursor>
#include <QPersistentModelIndex>
#include <QWidget>

class QDragMoveEvent;
class QDropEvent;
class QMimeData;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;

// Pointer states of the main window.
enum MousePointerState { vbDefault = 0, vbArrow = 1, vbHourglass = 11, vbCustom = 99 };

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(const Platform &platform, QWidget *parent = nullptr);
    ~Form1() override;

    // Controls.
    QTreeWidget *ListView1 = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QToolButton *Check1 = nullptr;
    QToolButton *Check4 = nullptr;
    QToolButton *Check2 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *Command1 = nullptr;
    CommonDialog CommonDialog1;

    // Variables of the in-list move. DraggedItem is a persistent index, so an entry that was
    // removed reads as invalid, never as freed memory.
    QPersistentModelIndex DraggedItem;
    QPersistentModelIndex HoverItem;
    bool ListMouseDown = false;

    // The main window's pointer state (0, 11 or 99), applied over the whole client area.
    int MousePointer() const { return mousePointer; }
    void setMousePointer(int state);
    // The list's own pointer (0 default, 1 arrow, 99 the picture from drag.ico).
    int ListMousePointer() const { return listMousePointer; }
    void setListMousePointer(int state);
    // Whether the list takes dropped files (drop mode 1) or not (0).
    bool listAcceptsDrops() const;
    void setListAcceptsDrops(bool accept);

    // The file list: the list view itself is the model; positions run from 1 to count.
    void AddDocumentPath(const QString &path);
    int ListCount() const;
    QString ListEntry(int position) const;

    // Handlers.
    void Form_Load();
    void Form_Unload();
    void Form_MouseMove();
    void Check1_MouseMove();
    void Check2_MouseMove();
    void Check4_MouseMove();
    void Check1_Click();
    void Check2_Click();
    void Check4_Click();
    void ListView1_DblClick();
    void ListView1_ItemClick();
    void ListView1_MouseDown();
    void ListView1_MouseMove(const QPoint &position);
    void ListView1_MouseUp();
    void ListView1_OLEDragOver(const QMimeData *data, Qt::DropAction &effect);
    void ListView1_OLEDragDrop(const QMimeData *data);

    // Start-up helpers.
    void CenterForm(QWidget &form);
    void VisitHomePageAtRandom();

    const Platform &platform() const { return platform_; }
    // The program's own directory, without a trailing "/" (except "/").
    static QString programDirectory();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    // The list's own wiring: mouse tracking, the entry click at the press, its event routing.
    void prepareListView();
    // Routes the list viewport's mouse and drop events to the ListView1_ handlers.
    bool listViewEvent(QEvent *event);

    Platform platform_;
    int mousePointer = vbDefault;
    int listMousePointer = vbDefault;
    QCursor handCursor;  // from HAND-M.CUR; the arrow when the file is missing
    QCursor dragCursor;  // from drag.ico
};
