#include "PageTabs.h"

#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

PageTabs::PageTabs(QTabWidget* pages, QWidget* parent) : QWidget(parent), pages_(pages) {
    pages->tabBar()->hide();
    for (int i = 0; i < pages->count(); ++i) {
        auto* button = new QToolButton(this);
        button->setText(pages->tabText(i));
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setAutoRaise(true);
        // A click is the user's choice of page, as a click on a tab would be.
        connect(button, &QToolButton::clicked, pages, [pages, i] { pages->setCurrentIndex(i); });
        buttons_.push_back(button);
    }
    auto follow = [this](int page) {
        if (page >= 0 && page < static_cast<int>(buttons_.size()))
            buttons_[static_cast<std::size_t>(page)]->setChecked(true);
    };
    connect(pages, &QTabWidget::currentChanged, this, follow);
    follow(pages->currentIndex());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int PageTabs::arrange(int width, bool move) const {
    int x = 0, y = 0, rowHeight = 0;
    for (QToolButton* button : buttons_) {
        QSize size = button->sizeHint();
        if (x > 0 && x + size.width() > width) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        if (move)
            button->setGeometry(x, y, std::min(size.width(), width), size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
    return y + rowHeight;
}

int PageTabs::heightForWidth(int width) const {
    return arrange(width, false);
}

QSize PageTabs::sizeHint() const {
    int all = 0;
    for (QToolButton* button : buttons_)
        all += button->sizeHint().width();
    return {all, heightForWidth(all)};
}

QSize PageTabs::minimumSizeHint() const {
    return {1, heightForWidth(width())};
}

void PageTabs::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    int height = arrange(width(), true);
    if (height != this->height())
        setFixedHeight(height); // the rows changed with the width
}
