#pragma once

#include "net/DialUp.h"
#include "net/HttpClient.h"
#include "window/DropTarget.h"
#include "window/DropWindowMove.h"

#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

class Desktop;
class DropTargetAdapter;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class TForm2;
class TrayIconAdapter;

namespace kestrum {
struct ProgramState;
}

// The drop window: a small borderless picture above all windows that turns
// into the list of categories while text is dragged over it.
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    TForm1(kestrum::ProgramState& state, Desktop& desktop);
    ~TForm1() override;

    // Shows this window; the editor window is built once this one is on the
    // screen, or sooner when something needs it.
    void startUp();
    // The editor window, built and taken through its start-up show on first use.
    TForm2& editor();

    // What the editor window and the capture use.
    void setShowCaption(const QString& caption);
    void setDropList(const std::vector<std::string>& names);
    void showStatePicture();
    void returnToPicture();
    void setSavedHint(const QString& hint);
    QString currentHint() const;

    // Where the start-up request goes and how active connections are found;
    // without a query nothing is sent.
    void setConnectionStatusSource(std::unique_ptr<kestrum::DialUpQuery> dialUp, std::string url);

    void FormCreate();
    void FormShow();
    void mexitClick();
    void mshowClick();
    void mpasteClick();
    void PopupMenu1Popup();
    // The program's icon in every size it ships.
    static QIcon programIcon();
    // A skin by name: its folder from the skin file, else `fallbackFolder`.
    void applySkin(const std::string& name, const std::string& fallbackFolder);

    QLabel* Image1;
    QPixmap Image5; // auto-save off
    QPixmap Image6; // auto-save on
    QListWidget* ListBox1;
    QMenu* PopupMenu1;
    QAction *mpaste, *mshow, *mskin, *mexit;
    std::unique_ptr<TrayIconAdapter> TrayIcon1; // gone once the exit has run
    kestrum::TDropTextTarget DropTextTarget1;
    kestrum::THttpClient HttpClient1;

  signals:
    void exitFinished();
    void closedWithoutExit();

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void DropTextTarget1Enter();
    void DropTextTarget1GetDropEffect(kestrum::DropPoint point);
    void DropTextTarget1Drop();
    void Image1MouseDown(Qt::MouseButton button, QPoint point, QPoint globalPoint);
    void Image1MouseMove(QPoint point, QPoint globalPoint, Qt::MouseButtons buttons);
    void Image1MouseUp(Qt::MouseButton button);
    void moveWithPointer(QPoint globalPoint, bool leftHeld);
    bool startSystemMove();
    void storeDropPlace(kestrum::dropwindow::Place place);
    void switchAutoSave();
    void takePictureSize();
    void placeWindow(QRect place);
    void showConnectionStatus();
    bool settleUnsavedTexts(TForm2& editorWindow);
    void storeEditorPlace(const TForm2& editorWindow);
    void startEditor();
    void buildMenu();

    // save1_tray.cpp
    void createTrayIcon();
    void TrayIcon1DblClick();

    // save1_skins.cpp
    void buildSkinMenu();
    void MyClick(QAction* item);

    kestrum::ProgramState& state_;
    Desktop& desktop_;
    std::unique_ptr<TForm2> editor_;
    DropTargetAdapter* adapter_; // a child of this window
    bool shown_ = false;
    bool exiting_ = false; // the exit sequence closes the window
    bool editorQueued_ = false;
    bool entered_ = false; // the enter handler ran for this drag
    kestrum::dropwindow::WindowMove windowMove_;
    QTimer placeRest_; // runs out once the platform's move has put the window down
    QString windowHint_;
    QString savedHint_;
    std::unique_ptr<kestrum::DialUpQuery> dialUp_;
    std::string counterUrl_;
};
