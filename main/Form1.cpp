// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "AddWordFiles.h"
#include "Twips.h"
#include "UnexpectedFailure.h"
#include "WidgetColour.h"
#include "WordSaveAs.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>

namespace {

const QString ListToolTip = QStringLiteral(
    "Drag and drop files here. Double-click item to remove it. Move bar to right and out of window to reveal full names.");

// Arial where it is installed, else its metric twin, so captions take the room they were laid out for.
QFont arialBold(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

} // namespace

// The pictures live in the library, which the linker keeps only when something names them.
// (Outside the namespace: the macro declares a function of the global one.)
static void registerPictures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    Q_UNUSED(registered);
}

Form1::Form1(const Platform &platform, QWidget *parent)
    : QWidget(parent)
    , platform_(platform)
{
    placeControls();
    styleControls();
    wireControls();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::placeControls()
{
    const double dpi = logicalDpiX();
    const auto place = [dpi](QWidget *w, int l, int t, int wd, int h) { w->setGeometry(twipsRect(l, t, wd, h, dpi)); };
    setFixedSize(twipsToPixels(7320, dpi), twipsToPixels(4830, dpi));
    place(ListView1, 120, 120, 7080, 2295);
    place(Option1, 240, 2520, 1095, 330);
    place(Option2, 1560, 2520, 1140, 330);
    place(Check1, 120, 2880, 2295, 1335);
    place(Check4, 2520, 2880, 2295, 1335);
    place(Check2, 4920, 2880, 2280, 1335);
    place(ProgressBar1, 120, 4330, 7080, 375);
    place(Command1, -720, 2640, 615, 495);

    setTabOrder(Command1, Check1);
    setTabOrder(Check1, Check2);
    setTabOrder(Check2, ListView1);
    setTabOrder(ListView1, Check4);
    setTabOrder(Check4, ProgressBar1);
    setTabOrder(ProgressBar1, Option1);
    setTabOrder(Option1, Option2);
}

void Form1::styleControls()
{
    registerPictures();
    // Fixed single border: title bar and close box, no maximise box, no resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/window.ico")));
    setBackgroundColour(this, QPalette::Window, Qt::white);
    setAutoFillBackground(true);

    // Each control answers to its own name, for whoever looks for it (the tests do).
    const std::pair<QWidget *, const char *> names[] = {
        {ListView1, "ListView1"}, {Option1, "Option1"}, {Option2, "Option2"},           {Check1, "Check1"},
        {Check4, "Check4"},       {Check2, "Check2"},   {ProgressBar1, "ProgressBar1"}, {Command1, "Command1"}};
    for (const auto &[control, name] : names)
        control->setObjectName(QLatin1String(name));

    ListView1->setHeaderHidden(false);
    // The column keeps its own width; the user drags its edge to read long names.
    ListView1->header()->setStretchLastSection(false);
    ListView1->setFont(arialBold(9));
    ListView1->setToolTip(ListToolTip);
    // A screen reader names the list after its column and reads the tooltip as its description.
    ListView1->setAccessibleName(ListColumnTitle);
    ListView1->setAccessibleDescription(ListToolTip);
    ProgressBar1->setAccessibleName(QStringLiteral("Conversion progress"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setOrientation(Qt::Horizontal);
    ProgressBar1->setTextVisible(false);
    for (QRadioButton *option : {Option1, Option2}) {
        option->setFont(arialBold(9));
        // The round box white and its dot black, as the window's white asks, in any theme.
        setBackgroundColour(option, QPalette::Base, Qt::white);
    }
    Option1->setChecked(true);

    const std::pair<PictureButton *, const char *> pictures[] = {
        {Check1, "check1"}, {Check4, "check4"}, {Check2, "check2"}};
    for (const auto &[button, picture] : pictures) {
        button->setPicture(QLatin1String(picture));
        button->setFont(arialBold(11.25));
        setBackgroundColour(button, QPalette::Button, Qt::white);
    }
}

void Form1::wireControls()
{
    // The pointer feedback needs every move over the background, the buttons and the list,
    // not only drags.
    setMouseTracking(true);
    installEventFilter(this);
    for (QToolButton *button : {Check1, Check4, Check2}) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }
    ListView1->viewport()->setMouseTracking(true);
    ListView1->viewport()->installEventFilter(this);
    ListView1->installEventFilter(this); // its keys
    // Qt reports an entry click on release; the move needs it at the press, after the press
    // has selected the entry, so that the dragged entry is known before the first move.
    connect(ListView1, &QTreeWidget::itemPressed, this, &Form1::ListView1_ItemClick);
    // Every change of the list has the offices of the next run ready.
    for (const auto change : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(ListView1->model(), change, this, [this] { conversionRun.prepareNextRun(); });
    connect(ListView1->model(), &QAbstractItemModel::dataChanged, this, [this] { conversionRun.prepareNextRun(); });
    // The click notification arrives on every change of state, as with a check box.
    connect(Check1, &QToolButton::toggled, this, &Form1::Check1_Click);
    connect(Check4, &QToolButton::toggled, this, &Form1::Check4_Click);
    connect(Check2, &QToolButton::toggled, this, &Form1::Check2_Click);
    // Ctrl+O does what "Add Word File(s)" does; Ctrl+Q closes the window.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this), &QShortcut::activated, Check1,
            &QAbstractButton::click);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this, &QWidget::close);
    // The hidden button holds the focus, so no visible control shows a focus mark at first.
    Command1->setFocus();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListView1->viewport())
        return listViewEvent(event);
    if (watched == ListView1 && event->type() == QEvent::KeyPress)
        return ListView1_KeyDown(*static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::MouseMove) {
        if (watched == Check1 || watched == Check2 || watched == Check4)
            CommandButton_MouseMove();
        // A move that a child passed on to the window is not a move over the background.
        else if (watched == this && !childAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
            Form_MouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The window keeps its size: where a title bar offers to maximise it all the same (Qt's own,
    // drawn where the Wayland compositor leaves the frame to the program), it stays as it was.
    if (event->type() == QEvent::WindowStateChange && isMaximized())
        setWindowState(windowState() & ~Qt::WindowMaximized);
}

bool Form1::springBack(QToolButton *button)
{
    if (!button->isChecked())
        return false;
    button->setChecked(false);
    // Qt holds back the repaint of a state changed inside the button's own click, and the
    // command may keep the window from painting for a while: drawn released now.
    button->repaint();
    return true;
}

void Form1::Check1_Click()
{
    if (springBack(Check1))
        RunCommand(platform_.dialogs, this, QStringLiteral("Adding the files"),
                   [this] { AddWordFiles(CommonDialog1, platform_.dialogs, this, fileList); });
}

void Form1::Check4_Click()
{
    if (springBack(Check4))
        RunCommand(platform_.dialogs, this, QStringLiteral("Adding the files of the folder"),
                   [this] { folderImport.run(); });
}

void Form1::Check2_Click()
{
    if (springBack(Check2))
        conversionRun.run();
}

std::optional<std::int32_t> Form1::chosenSaveFormat() const
{
    if (Option1->isChecked())
        return WordSaveFormat::Html;
    if (Option2->isChecked())
        return WordSaveFormat::FilteredHtml;
    return std::nullopt;
}
