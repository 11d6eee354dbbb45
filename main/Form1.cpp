#include "main/Form1.h"

#include "main/PictureButton.h"
#include "main/Twips.h"
#include "main/WidgetColour.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

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

Form1::Form1(const Platform &platform, QWidget *parent) : QWidget(parent), platform_(platform)
{
    registerPictures();
    createControls();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    // Fixed single border: title bar and close box, no maximise box, no resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/window.ico")));
    setWidgetColour(this, QPalette::Window, Qt::white);
    setAutoFillBackground(true);

    ListView1 = new QTreeWidget(this);
    Option1 = new QRadioButton(QStringLiteral("Normal"), this);
    Option2 = new QRadioButton(QStringLiteral("Filtered"), this);
    Check1 = new PictureButton(QStringLiteral("Add Word File(s)"), QIcon(QStringLiteral(":/pictures/check1.ico")), this);
    Check4 = new PictureButton(QStringLiteral(" Add All Word Files In Folder"), QIcon(QStringLiteral(":/pictures/check4.ico")), this);
    Check2 = new PictureButton(QStringLiteral("Convert to HTML"), QIcon(QStringLiteral(":/pictures/check2.ico")), this);
    ProgressBar1 = new QProgressBar(this);
    Command1 = new QPushButton(QStringLiteral("Command1"), this);

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

    ListView1->setHeaderHidden(false);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setDragEnabled(false);
    ListView1->setAcceptDrops(true);
    // The column keeps its own width; the user drags its edge to read long names.
    ListView1->header()->setStretchLastSection(false);
    ListView1->setFont(arialBold(9));
    ListView1->setToolTip(ListToolTip);
    prepareListView();
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setOrientation(Qt::Horizontal);
    ProgressBar1->setTextVisible(false);
    for (QRadioButton *option : {Option1, Option2})
        option->setFont(arialBold(9));
    Option1->setChecked(true);

    // The pointer feedback needs every move over the background and the buttons, not only drags.
    setMouseTracking(true);
    installEventFilter(this);
    for (QToolButton *button : {Check1, Check4, Check2}) {
        button->setFont(arialBold(11.25));
        setWidgetColour(button, QPalette::Button, Qt::white);
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }
    // The click notification arrives on every change of state, as with a check box.
    connect(Check1, &QToolButton::toggled, this, [this] { Check1_Click(); });
    connect(Check4, &QToolButton::toggled, this, [this] { Check4_Click(); });
    connect(Check2, &QToolButton::toggled, this, [this] { Check2_Click(); });

    setTabOrder(Command1, Check1);
    setTabOrder(Check1, Check2);
    setTabOrder(Check2, ListView1);
    setTabOrder(ListView1, Check4);
    setTabOrder(Check4, ProgressBar1);
    setTabOrder(ProgressBar1, Option1);
    setTabOrder(Option1, Option2);
    // The hidden button holds the focus, so no visible control shows a focus mark at first.
    Command1->setFocus();
}

QString Form1::programDirectory()
{
    return QCoreApplication::applicationDirPath();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListView1->viewport())
        return listViewEvent(event);
    if (event->type() == QEvent::MouseMove) {
        if (watched == Check1)
            Check1_MouseMove();
        else if (watched == Check2)
            Check2_MouseMove();
        else if (watched == Check4)
            Check4_MouseMove();
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
