#include "main/Form1.h"

#include "main/Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

Form1::Form1(const Platform &platform, QWidget *parent) : QWidget(parent), platform_(platform)
{
    createControls();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    ListView1 = new QTreeWidget(this);
    Option1 = new QRadioButton(QStringLiteral("Normal"), this);
    Option2 = new QRadioButton(QStringLiteral("Filtered"), this);
    Check1 = new QToolButton(this);
    Check4 = new QToolButton(this);
    Check2 = new QToolButton(this);
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
    ListView1->viewport()->installEventFilter(this);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    Option1->setChecked(true);
    for (QToolButton *button : {Check1, Check4, Check2}) {
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    }
    Check1->setText(QStringLiteral("Add Word File(s)"));
    Check4->setText(QStringLiteral(" Add All Word Files In Folder"));
    Check2->setText(QStringLiteral("Convert to HTML"));
    // The click notification arrives on every change of state, as with a check box.
    connect(Check1, &QToolButton::toggled, this, [this] { Check1_Click(); });
    connect(Check4, &QToolButton::toggled, this, [this] { Check4_Click(); });
    connect(Check2, &QToolButton::toggled, this, [this] { Check2_Click(); });
}

QString Form1::programDirectory()
{
    return QCoreApplication::applicationDirPath();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListView1->viewport())
        return listViewEvent(event);
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}
