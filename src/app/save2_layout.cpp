// The editor window's controls and menus, built once: the category list
// and the pages on the left, the tool bar, the editor and the viewer on the
// right, the status bar below.
#include "save2.h"

#include "FileListBox.h"
#include "HintDisplay.h"
#include "PageTabs.h"
#include "ProgramFont.h"
#include "TextSpinBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The settings page's own margins, narrow as the panel is.
constexpr int kPageMargin = 6;

QAction* menuAction(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

void TForm2::buildLayout() {
    messagePanel = new QLabel(this);
    messagePanel->setFixedWidth(100);
    hintPanel = new QLabel(this);
    hintPanel->setMinimumWidth(1); // it gives way to the message rather than lie over it
    statusBar()->setFixedHeight(18);
    statusBar()->addWidget(messagePanel);
    statusBar()->addWidget(hintPanel, 1);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(8);
    Splitter1->setChildrenCollapsible(false);
    buildLeftPanel();
    buildRightPanel();
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    setCentralWidget(Splitter1);
}

void TForm2::buildLeftPanel() {
    Splitter4 = new QSplitter(Qt::Vertical, Splitter1);
    Splitter4->setObjectName(QStringLiteral("Splitter4"));
    Splitter4->setHandleWidth(9);
    Panel2 = Splitter4;

    ListBox1 = new QListWidget(Splitter4);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFont(programFont(13));
    ListBox1->setMinimumHeight(30);
    HintDisplay::setHint(ListBox1, tr("类别框|按右键可以删除类别或调整类别上下顺序。"));
    Splitter4->setCollapsible(0, true);

    auto* pagesColumn = new QWidget(Splitter4);
    auto* column = new QVBoxLayout(pagesColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    PageControl1 = new QTabWidget;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    column->addWidget(PageControl1, 1);
    Splitter4->setCollapsible(1, false);
    // The stored panel width holds down to the panel's own minimum (below),
    // where the page captions take several rows.
    for (QWidget* w : {static_cast<QWidget*>(pagesColumn), static_cast<QWidget*>(ListBox1),
                       static_cast<QWidget*>(PageControl1)})
        w->setMinimumSize(1, 1);
    Splitter4->setStretchFactor(0, 0);
    Splitter4->setStretchFactor(1, 1);

    FileListBox1 = new FileListBox;
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    PageControl1->addTab(FileListBox1, tr("浏览所有文件"));
    buildCategoryPage();
    buildMergePage();
    buildSettingsPage();
    buildSearchPage();
    auto* tabs = new PageTabs(PageControl1, pagesColumn);
    column->insertWidget(0, tabs);
    // At least 100 pixels, and as wide as the category and settings pages'
    // controls need, so none is cut at the smallest width.
    int width = std::max(
        {100, GroupBox1->minimumSizeHint().width() + 4, PageControl1->minimumSizeHint().width()});
    Splitter4->setMinimumWidth(width);
    // The category list gives way before a page does: the captions, in
    // as many rows as that width needs, and the tallest page's controls.
    int room = 0;
    for (int page = 0; page < PageControl1->count(); ++page)
        room = std::max(room, PageControl1->widget(page)->minimumSizeHint().height());
    pagesColumn->setMinimumHeight(tabs->heightForWidth(width) + room);
}

void TForm2::buildCategoryPage() {
    auto* categoryPage = new QWidget;
    GroupBox1 = new QGroupBox(tr("类别设置"), categoryPage);
    Label1 = new QLabel(tr("类别:"));
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    HintDisplay::setHint(Edit1, tr("可在此填入新的类别名"));
    Label2 = new QLabel(tr("默认目录："));
    Edit2 = new QLineEdit;
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setEnabled(false);
    Button1 = new QPushButton(tr("浏览目录并确认..."));
    HintDisplay::setHint(Button1,
                         tr("类别、目录改变|点击此处更改类别目录并自动添加新类别或对应目录。"));
    auto* group = new QVBoxLayout(GroupBox1);
    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Edit1),
                       static_cast<QWidget*>(Label2), static_cast<QWidget*>(Edit2),
                       static_cast<QWidget*>(Button1)})
        group->addWidget(w);
    group->addStretch();
    // Narrow margins: the page shares the left panel, often 100 pixels wide.
    group->setContentsMargins(3, 3, 3, 3);
    auto* page = new QVBoxLayout(categoryPage);
    page->setContentsMargins(1, 1, 1, 1);
    page->addWidget(GroupBox1);
    PageControl1->addTab(categoryPage, tr("类别设置"));
}

void TForm2::buildMergePage() {
    auto* mergePage = new QWidget;
    auto* merge = new QVBoxLayout(mergePage);
    merge->setSpacing(0);
    Button2 = new QPushButton(tr("加入合并列表"));
    Button4 = new QPushButton(tr("合并"));
    Button3 = new QPushButton(tr("清除合并列表"));
    for (QPushButton* b : {Button2, Button4, Button3}) {
        b->setFixedHeight(17);
        merge->addWidget(b);
    }
    ListBox2 = new QListWidget;
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    merge->addWidget(ListBox2);
    PageControl1->addTab(mergePage, tr("文件合并"));
}

void TForm2::buildSettingsPage() {
    auto* settingsPage = new QWidget;
    auto* settings = new QVBoxLayout(settingsPage);
    settings->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    settings->setSpacing(2);
    sound1 = new QCheckBox(tr("声音提示"));
    savetf1 = new QCheckBox(tr("每次自动保存"));
    login1 = new QCheckBox(tr("登录时启动"));
    utf81 = new QCheckBox(tr("文件用UTF-8保存"));
    sound1->setChecked(true);
    savetf1->setChecked(true);
    Label5 = new QLabel(tr("程序换肤："));
    ListBox3 = new QListWidget;
    for (QWidget* w : {static_cast<QWidget*>(sound1), static_cast<QWidget*>(savetf1),
                       static_cast<QWidget*>(login1), static_cast<QWidget*>(utf81),
                       static_cast<QWidget*>(Label5), static_cast<QWidget*>(ListBox3)})
        settings->addWidget(w);
    ListBox3->setMinimumHeight(3 * ListBox3->fontMetrics().height() + 6); // three skins at least
    PageControl1->addTab(settingsPage, tr("程序设置"));
}

void TForm2::buildRightPanel() {
    Panel1 = new QWidget(Splitter1);
    Panel1->setMinimumSize(100, 300);
    auto* column = new QVBoxLayout(Panel1);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    ToolBar1 = new QToolBar(Panel1);
    ToolBar1->setFixedHeight(25);
    addCommands(Place::ToolBar, ToolBar1);
    auto* Panel4 = new QWidget;
    Panel4->setFixedWidth(113);
    auto* panel4Row = new QHBoxLayout(Panel4);
    panel4Row->setContentsMargins(0, 0, 0, 0);
    Label3 = new QLabel(tr("每行字数："));
    SpinEdit1 = new TextSpinBox;
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setFixedWidth(49);
    const QString perLine = tr("指重排时每行多少个全角汉字（相当两个英文字母）。");
    HintDisplay::setHint(Panel4, perLine);
    HintDisplay::setHint(Label3, perLine);
    HintDisplay::setHint(SpinEdit1, tr("选择你需要的每行字数。"));
    panel4Row->addWidget(Label3);
    panel4Row->addWidget(SpinEdit1);
    ToolBar1->insertWidget(mcut1, Panel4); // between the reflow and the clipboard commands
    column->addWidget(ToolBar1);

    Splitter2 = new QSplitter(Qt::Vertical, Panel1);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setHandleWidth(8);
    Splitter2->setChildrenCollapsible(false);
    RichEdit2 = new QPlainTextEdit(Splitter2);
    RichEdit2->setObjectName(QStringLiteral("RichEdit2"));
    RichEdit2->setFont(programFont(15));
    HintDisplay::setHint(RichEdit2, tr("|按右键可以编辑、保存内容、整理文件、调整界面等。"));
    RichEdit4 = new QTextEdit(Splitter2);
    RichEdit4->setObjectName(QStringLiteral("RichEdit4"));
    RichEdit4->setFont(programFont(15));
    RichEdit2->setMinimumHeight(1);
    RichEdit4->setMinimumHeight(1);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    column->addWidget(Splitter2, 1);
}

void TForm2::buildMenus() {
    QMenu* N17 = menuBar()->addMenu(tr("类别"));
    N10 = menuAction(N17, QStringLiteral("N10"), tr("打开当前类别"));
    N17->addSeparator();
    N18 = menuAction(N17, QStringLiteral("N18"), tr("新建类别"));
    N19 = menuAction(N17, QStringLiteral("N19"), tr("当前类别属性"));
    QMenu* N21 = menuBar()->addMenu(tr("编辑"));
    addCommands(Place::EditMenu, N21);
    QMenu* N26 = menuBar()->addMenu(tr("帮助"));
    mhelp = menuAction(N26, QStringLiteral("mhelp"), tr("Kestrum帮助"));
    N26->addSeparator();
    memail = menuAction(N26, QStringLiteral("memail"), tr("作者信箱"));
    mhome1 = menuAction(N26, QStringLiteral("mhome1"), tr("作者主页一"));
    mhome2 = menuAction(N26, QStringLiteral("mhome2"), tr("作者主页二"));
    mhome3 = menuAction(N26, QStringLiteral("mhome3"), tr("作者主页三"));
    N26->addSeparator();
    mabout = menuAction(N26, QStringLiteral("mabout"), tr("关于"));
    buildContextMenus();
}

void TForm2::buildContextMenus() {
    PopupMenu2 = new QMenu(RichEdit2);
    addCommands(Place::EditorMenu, PopupMenu2);
    textmove = new QMenu(tr("转移到"), PopupMenu2);
    textmove->setObjectName(QStringLiteral("textmove"));
    PopupMenu2->insertMenu(N4, textmove);
    PopupMenu2->insertSeparator(N4);
    PopupMenu3 = new QMenu(RichEdit4);
    addCommands(Place::ViewerMenu, PopupMenu3);
    PopupMenu1 = new QMenu(ListBox1);
    mleiopen = menuAction(PopupMenu1, QStringLiteral("mleiopen"), tr("打开"));
    PopupMenu1->addSeparator();
    mlei = menuAction(PopupMenu1, QStringLiteral("mlei"), tr("新建类别"));
    listdel = menuAction(PopupMenu1, QStringLiteral("listdel"), tr("删除"));
    listmove = menuAction(PopupMenu1, QStringLiteral("listmove"), tr("移至最高"));
    PopupMenu1->addSeparator();
    mleioption = menuAction(PopupMenu1, QStringLiteral("mleioption"), tr("更改类别属性"));
    listdel->setEnabled(false);
    listmove->setEnabled(false);
    PopupMenu4 = new QMenu(FileListBox1);
    N6 = menuAction(PopupMenu4, QStringLiteral("N6"), tr("打开"));
    N11 = menuAction(PopupMenu4, QStringLiteral("N11"), tr("删除"));
    PopupMenu5 = new QMenu(ListBox2);
    N12 = menuAction(PopupMenu5, QStringLiteral("N12"), tr("上移"));
    N13 = menuAction(PopupMenu5, QStringLiteral("N13"), tr("下移"));
    N14 = menuAction(PopupMenu5, QStringLiteral("N14"), tr("移到最高"));
    N15 = menuAction(PopupMenu5, QStringLiteral("N15"), tr("移到最低"));
    // A right click opens the menu for the selected entry without selecting
    // the one under the pointer (see eventFilter).
    for (auto [list, menu] : {std::pair<QListWidget*, QMenu*>{ListBox1, PopupMenu1},
                              {FileListBox1, PopupMenu4},
                              {ListBox2, PopupMenu5}}) {
        list->viewport()->installEventFilter(this);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, menu,
                [list, menu](QPoint at) { menu->popup(list->viewport()->mapToGlobal(at)); });
    }
}
