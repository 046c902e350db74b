#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "FileListBox.h"
#include "window/ListMoves.h"

class Desktop;
class HintDisplay;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QToolBar;
class TForm1;
class TextSpinBox;

namespace kestrum {
struct ProgramState;
}

// The editor window: categories and pages on the left, the tool bar, the
// editor and the file viewer on the right, the status bar below. Closing it
// only hides it.
class TForm2 : public QMainWindow {
    Q_OBJECT
  public:
    TForm2(kestrum::ProgramState& state, TForm1& dropWindow, Desktop& desktop);
    ~TForm2() override;

    // What the drop window and the capture use.
    std::vector<std::string> categoryNames() const;
    void setMessage(const QString& text, bool resize);
    void setEditorText(const std::string& programText);
    void selectCategory(int index);
    void refreshFileList();
    void setAutoSaveBox(bool checked);
    void setSoundBox(bool checked);
    void setPasteEnabled(bool enabled);
    HintDisplay& hints() { return *hints_; }

    // The pages of PageControl1, in tab order.
    enum Page { FilePage = 0, CategoryPage = 1, MergePage = 2, SettingsPage = 3 };
    enum class SplitterId { LeftPanel, Viewer, CategoryList };

    // Controls, under the names the rest of the program knows them by.
    QListWidget* ListBox1; // the category list
    QSplitter* Splitter1;  // Panel2 | Panel1
    QSplitter* Splitter4;  // ListBox1 | PageControl1
    QSplitter* Splitter2;  // RichEdit2 | RichEdit4
    QWidget* Panel2;
    QWidget* Panel1;
    QTabWidget* PageControl1;
    FileListBox* FileListBox1; // 浏览所有文件
    QGroupBox* GroupBox1;      // 类别设置
    QLabel *Label1, *Label2, *Label3, *Label5;
    QLineEdit *Edit1, *Edit2; // category name, folder (never typed into)
    QPushButton* Button1;     // 浏览目录并确认...
    QPushButton* Button2;     // 加入合并列表
    QPushButton* Button3;     // 清除合并列表
    QPushButton* Button4;     // 合并
    QListWidget* ListBox2;    // the merge list
    QListWidget* ListBox3;    // the skins
    QMenu* PopupMenu1;        // of ListBox1
    QAction* mleiopen;        // 打开
    QAction* mlei;            // 新建类别
    QAction* listdel;         // 删除
    QAction* listmove;        // 移至最高
    QAction* mleioption;      // 更改类别属性
    QMenu* PopupMenu4;        // of FileListBox1
    QAction* N6;              // 打开
    QAction* N11;             // 删除
    QMenu* PopupMenu5;        // of ListBox2
    QAction* N12;             // 上移
    QAction* N13;             // 下移
    QAction* N14;             // 移到最高
    QAction* N15;             // 移到最低
    QCheckBox *sound1, *savetf1;
    QToolBar* ToolBar1;
    TextSpinBox* SpinEdit1;
    QPlainTextEdit* RichEdit2;
    QTextEdit* RichEdit4;
    QLabel* messagePanel;
    QLabel* hintPanel;
    QAction *msave1, *BIG5GB, *GBBIG5, *mfile1, *mcut1, *mcopy1, *mpaste21, *ToolButton3;
    QAction* N10; // 类别 > 打开当前类别
    QAction* N18; // 类别 > 新建类别
    QAction* N19; // 类别 > 当前类别属性
    QAction *N22, *GBBIG51, *BIG5GB1, *N25;
    QAction *mhelp, *memail, *mhome1, *mhome2, *mhome3, *mabout;
    QAction* mpaste2;

    // The merge list's entries, full paths in merge order.
    const std::vector<std::string>& mergeList() const { return mergeList_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // save2.cpp: layout, show sequence, pages, settings page, help
    void buildLayout();
    void buildLeftPanel();
    void buildCategoryPage();
    void buildMergePage();
    void buildSettingsPage();
    void buildRightPanel();
    void buildMenus();
    void buildContextMenus();
    void connectHandlers();
    void connectCategoryHandlers();
    void connectFileHandlers();
    void FormShow();
    void tellPendingNotice();
    void selectPage(Page page);
    void PageControl1Change(int page);

    // save2_categories.cpp: the category list and the category page
    void showTimeFill();
    void showCategory(const std::string& name);
    void loadWorkingFile(const std::string& name);
    void folderMissing();
    void setCaptions(const char* nameCaption, const char* folderCaption);
    void prepareCategoryPage(const char* nameCaption, const char* folderCaption);
    void ListBox1Open();
    void mleiClick();
    void mleioptionClick();
    void Button1Click();
    void listdelClick();
    void listmoveClick();
    void PopupMenu1Popup();
    std::string selectedFolder() const;

    // save2_files.cpp: the file list, the viewer and merging
    void FileListBox1Click();
    void N11Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void moveMergeEntry(kestrum::ListMove move);
    void showMergeList(int selected);

    void sound1Click(bool checked);
    void savetf1Click(bool checked);
    void openHelpFile();
    // Hands an address to the desktop; says so when nothing could open it.
    void openOrTell(const QUrl& address);
    void storeSplitter(SplitterId which);

    kestrum::ProgramState& state_;
    TForm1& dropWindow_;
    Desktop& desktop_;
    HintDisplay* hints_;
    bool pageChangeByProgram_ = false;
    std::vector<std::string> mergeList_;
    QString lastSaveName_; // what the save dialog's name field held at its last use
};
