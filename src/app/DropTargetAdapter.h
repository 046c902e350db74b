#pragma once

#include "window/DropTarget.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QDropEvent;
class QMimeData;

// The data of the Qt drag under way; Qt keeps it alive while the drag lasts.
class MimeDataObject : public kestrum::DropDataObject {
  public:
    void setData(const QMimeData* data) { data_ = data; }
    bool offersText() const override;
    std::optional<std::string> text() const override;

  private:
    const QMimeData* data_ = nullptr;
};

// Feeds a widget's Qt drag events into a TDropTarget: key state from the
// modifiers and buttons, the pointer in client coordinates, the offered
// actions as the effect bits, the text as program text.
class DropTargetAdapter : public QObject, public kestrum::DropTargetWindow {
    Q_OBJECT
  public:
    DropTargetAdapter(QWidget* window, kestrum::TDropTarget& target);

    std::string componentName() const override;
    bool exists() const override { return !window_.isNull(); }
    bool registerForDrops() override;
    bool revokeDrops() override;
    int fontHeight() const override;
    bool hasHorizontalScrollBar() const override { return false; }
    bool hasVerticalScrollBar() const override { return false; }
    kestrum::DropPoint clientSize() const override;
    void scrollLine(bool, bool) override {}

    // The action Qt is told for the effect the handlers left: copy whenever
    // copy is among several, so a capture never deletes the source's text.
    static Qt::DropAction reportedAction(uint32_t effect);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void report(QDropEvent* event, uint32_t effect);
    void followScrollTimer();

    QPointer<QWidget> window_;
    kestrum::TDropTarget& target_;
    QTimer scrollTimer_;
    MimeDataObject held_;
    bool registered_ = false;
};
