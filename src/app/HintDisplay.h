#pragma once

#include <QObject>
#include <QString>

class QAction;
class QLabel;
class QWidget;

// Hints of the form "short|long": the short part is the tooltip, the long
// part goes to the editor's hint panel while the pointer is over the
// control, in either window.
class HintDisplay : public QObject {
    Q_OBJECT
  public:
    HintDisplay(QLabel* messagePanel, QLabel* hintPanel, QObject* parent = nullptr);

    static void setHint(QWidget* widget, const QString& hint);
    static void setHint(QAction* action, const QString& hint);
    static QString shortPart(const QString& hint);
    static QString longPart(const QString& hint);

    // The width the reflow's progress run is measured against: 7 pixels per
    // byte of the message panel's text, set at every hint change.
    int hintPanelWidthSetting() const { return widthSetting_; }
    void show(const QString& hint);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* messagePanel_;
    QLabel* hintPanel_;
    int widthSetting_ = 50;
};
