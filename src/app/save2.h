#pragma once

#include <functional>

#include <QMainWindow>
#include <string>
#include <vector>

#include "FileListBox.h"
#include "window/HitQueue.h"
#include "window/ListMoves.h"
#include "window/WorkingFileSync.h"

#include <QElapsedTimer>
#include <QFont>
#include <map>
#include <memory>
#include <optional>

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
class QTextCursor;
class QTextEdit;
class QTimer;
class QToolBar;
class TForm1;
class TextSpinBox;

class QListWidgetItem;

namespace kestrum {
struct ProgramState;
namespace search {
class Search;
struct Hit;
} // namespace search
} // namespace kestrum

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
    // The editor shows `category`'s working file, whose text is `programText`.
    void showWorkingFile(const std::string& category, const std::string& programText);
    void selectCategory(int index);
    void refreshFileList();
    // Takes the editor's text to its working file if the file differs;
    // false when that failed (and was reported).
    bool flushWorkingFile();
    void setAutoSaveBox(bool checked);
    void setSoundBox(bool checked);
    void setPasteEnabled(bool enabled);
    HintDisplay& hints() { return *hints_; }

    // The pages of PageControl1, in tab order.
    enum Page { FilePage = 0, CategoryPage = 1, MergePage = 2, SettingsPage = 3, SearchPage = 4 };
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
    QLineEdit* Edit3;         // 全部搜索: the query
    QCheckBox* exactCase1;    // 区分大小写
    QListWidget* ListBox4;    // the hits
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
    QCheckBox* sound1;        // 声音提示
    QCheckBox* savetf1;       // 每次自动保存
    QCheckBox* login1;        // 登录时启动: the user's autostart entry
    QCheckBox* utf81;         // 文件用UTF-8保存
    QToolBar* ToolBar1;
    TextSpinBox* SpinEdit1;
    QPlainTextEdit* RichEdit2;
    QTextEdit* RichEdit4;
    QLabel* messagePanel;
    QLabel* hintPanel;
    QAction* N10; // 类别 > 打开当前类别
    QAction* N18; // 类别 > 新建类别
    QAction* N19; // 类别 > 当前类别属性
    QAction *mhelp, *memail, *mhome1, *mhome2, *mhome3, *mabout;
    QTimer* Timer1; // refreshes the command states every second

    // The editing commands, made from the table in save2_editing.cpp.
    QMenu* PopupMenu2;     // of RichEdit2, the editor
    QAction* msave;        // 保存(&S)
    QAction* mfile;        // 段落重排(&Q)
    QAction* mfont;        // 字体设置
    QMenu* textmove;       // 转移到, rebuilt at every opening
    QAction* N4;           // 撤消
    QAction* mcopy;        // 复制(&C)
    QAction* mpaste2;      // 粘贴(&P)
    QAction* mcut;         // 剪切(&T)
    QAction* mall;         // 全选(&L)
    QAction* mallclear;    // 全部清除(&D)
    QAction* mcopyclear;   // 清除剪贴板内容
    QAction* msave1;       // tool bar: 保存内容
    QAction* BIG5GB;       // tool bar: BIG5->GB
    QAction* GBBIG5;       // tool bar: GB->BIG5
    QAction* mfile1;       // tool bar: 段落重排
    QAction* mcut1;        // tool bar: 剪切
    QAction* mcopy1;       // tool bar: 复制
    QAction* mpaste21;     // tool bar: 粘贴
    QAction* ToolButton3;  // tool bar: 撤消
    QAction* N22;          // 编辑 > 保存
    QAction* GBBIG51;      // 编辑 > GB->BIG5
    QAction* BIG5GB1;      // 编辑 > BIG5->GB
    QAction* mtraditional; // 编辑 > 转为繁体字 (Unicode, by phrases)
    QAction* msimplified;  // 编辑 > 转为简体字
    QAction* N25;          // 编辑 > 段落重排
    QMenu* PopupMenu3;     // of RichEdit4, the file viewer
    QAction* m2copy;       // 复制
    QAction* m2clear;      // 全部清除
    QAction* N16;          // 字体设置
    QAction* m2all;        // 全选

    // Where a command is shown; the table builds each place in its order.
    enum class Place { EditorMenu, ToolBar, EditMenu, ViewerMenu };

    // The editor's whole text and its selection as program text (CR LF).
    std::string editorText() const;
    std::string selectedEditorText() const;
    // Enables each command as the editor, its selection and the clipboard say.
    void refreshCommandStates();

    // The merge list's entries, full paths in merge order.
    const std::vector<std::string>& mergeList() const { return mergeList_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // save2_layout.cpp: the controls and menus
    void buildLayout();
    void buildLeftPanel();
    void buildCategoryPage();
    void buildMergePage();
    void buildSettingsPage();
    void buildRightPanel();
    void buildMenus();
    void buildContextMenus();

    // save2.cpp: the handlers' wiring, the show sequence, pages, settings, help
    void connectHandlers();
    void connectCategoryHandlers();
    void connectFileHandlers();
    void FormShow();
    void tellPendingNotice();
    void selectPage(Page page);
    void fitMessagePanel();
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

    // save2_editing.cpp: the editor's commands and its working file
    struct CommandRow;
    static const std::vector<CommandRow>& commandTable();
    void addCommands(Place place, QWidget* container);
    void connectEditingHandlers();
    bool editorEvent(QObject* watched, QEvent* event);
    void syncWorkingFile(kestrum::WorkingFileSync::Event event);
    void connectWorkingFileWriter();
    void writeWorkingFile();
    // `text`: the document's raw text when the caller has it already.
    void applyToWorkingFile(kestrum::WorkingFileSync::Action action, QString text = {});
    void convertSelectionOrAll(const std::function<QString(const QString&)>& convert);
    void PopupMenu2Popup();
    void moveTo(const QString& target);
    void chooseFontFor(QWidget* widget);
    void copyToClipboard(const QTextCursor& cursor);
    void msaveClick();
    void mfileClick();
    void mfontClick();
    void N4Click();
    void mcopyClick();
    void mpaste2Click();
    void mcutClick();
    void mallClick();
    void mallclearClick();
    void mcopyclearClick();
    void BIG5GBClick();
    void GBBIG5Click();
    void mtraditionalClick();
    void msimplifiedClick();
    void m2copyClick();
    void m2clearClick();
    void N16Click();
    void m2allClick();

    // save2_skins.cpp: the skin list of the settings page
    void connectSkinHandlers();
    void fillSkinList();
    void ListBox3Click();

    // save2_search.cpp: the page that searches every category
    void buildSearchPage();
    void connectSearchHandlers();
    void startSearch();
    void drainHits();
    void showHits(const std::vector<kestrum::search::Hit>& hits);
    void searchDone(int generation);
    void summarizeWhenDrained();
    void openHit(QListWidgetItem* item);
    void selectViewedLine(qulonglong number);

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
    void showAutostartState();
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
    kestrum::WorkingFileSync sync_;
    // The category whose working file the editor shows, and the only one its
    // edits go to; none once that category was deleted.
    std::optional<std::string> editorCategory_;
    std::unique_ptr<kestrum::search::Search> search_;
    int searchGeneration_ = 0;                            // hits of an earlier search are dropped
    std::map<std::string, std::string> searchCategories_; // folder or working file -> category
    QTimer* searchDelay_ = nullptr;
    kestrum::HitQueue hitQueue_;  // from the workers to this thread
    QTimer* hitDrain_ = nullptr;  // takes the next portion once other events had their turn
    bool searchFinished_ = false; // the summary waits for the last portion
    QElapsedTimer searchClock_;
    bool writeFailureShown_ = false; // a failing working file is reported once
    QFont fontChoice_;               // FontDialog1's last choice, shared by both font commands
    QString lastSaveName_;           // what the save dialog's name field held at its last use
};
