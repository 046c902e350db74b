#pragma once

#include <QWidget>
#include <vector>

class QTabWidget;
class QToolButton;

// The page captions of a tab widget in as many rows as its width needs, so
// that a narrow panel still shows every page's caption whole. It replaces
// the tab widget's own bar, which would scroll instead.
class PageTabs : public QWidget {
    Q_OBJECT
  public:
    PageTabs(QTabWidget* pages, QWidget* parent);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Places the buttons for `width`; returns the height they take.
    int arrange(int width, bool move) const;

    QTabWidget* pages_;
    std::vector<QToolButton*> buttons_;
};
