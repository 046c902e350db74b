#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "FileListBox.h"

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

    // Controls, under the names the rest of the program knows them by.
    QListWidget* ListBox1;
    QSplitter* Splitter1; // Panel2 | Panel1
    QSplitter* Splitter4; // ListBox1 | PageControl1
    QSplitter* Splitter2; // RichEdit2 | RichEdit4
    QWidget* Panel2;
    QWidget* Panel1;
    QTabWidget* PageControl1;
    FileListBox* FileListBox1;
    QGroupBox* GroupBox1;
    QLabel *Label1, *Label2, *Label3, *Label5;
    QLineEdit *Edit1, *Edit2;
    QPushButton *Button1, *Button2, *Button3, *Button4;
    QListWidget* ListBox2;
    QListWidget* ListBox3;
    QCheckBox *sound1, *savetf1;
    QToolBar* ToolBar1;
    TextSpinBox* SpinEdit1;
    QPlainTextEdit* RichEdit2;
    QTextEdit* RichEdit4;
    QLabel* messagePanel;
    QLabel* hintPanel;
    QAction *msave1, *BIG5GB, *GBBIG5, *mfile1, *mcut1, *mcopy1, *mpaste21, *ToolButton3;
    QAction *N10, *N18, *N19, *N22, *GBBIG51, *BIG5GB1, *N25;
    QAction *mhelp, *memail, *mhome1, *mhome2, *mhome3, *mabout;
    QAction* mpaste2;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildLayout();
    void buildLeftPanel();
    void buildRightPanel();
    void buildMenus();
    void connectHandlers();

    void FormShow();
    void tellPendingNotice();
    void showTimeFill();
    void folderMissing();
    void selectPage(int page);
    void PageControl1Change(int page);
    void sound1Click(bool checked);
    void savetf1Click(bool checked);
    void openHelpFile();
    // Hands an address to the desktop; says so when nothing could open it.
    void openOrTell(const QUrl& address);
    void storeSplitter(int which);

    kestrum::ProgramState& state_;
    TForm1& dropWindow_;
    Desktop& desktop_;
    HintDisplay* hints_;
    bool pageChangeByProgram_ = false;
};
