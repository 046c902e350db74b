#include "HintDisplay.h"

#include "ProgramText.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>

namespace {
const char* const kHintProperty = "kestrumHint";
}

HintDisplay::HintDisplay(QLabel* messagePanel, QLabel* hintPanel, QObject* parent)
    : QObject(parent), messagePanel_(messagePanel), hintPanel_(hintPanel) {
    qApp->installEventFilter(this);
}

QString HintDisplay::shortPart(const QString& hint) {
    int bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.left(bar);
}

QString HintDisplay::longPart(const QString& hint) {
    int bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void HintDisplay::setHint(QWidget* widget, const QString& hint) {
    widget->setProperty(kHintProperty, hint);
    widget->setToolTip(shortPart(hint));
}

void HintDisplay::setHint(QAction* action, const QString& hint) {
    action->setProperty(kHintProperty, hint);
    action->setToolTip(shortPart(hint));
}

void HintDisplay::show(const QString& hint) {
    hintPanel_->setText(longPart(hint));
    widthSetting_ = 7 * static_cast<int>(fromQt(messagePanel_->text()).size());
}

bool HintDisplay::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        QVariant hint = watched->property(kHintProperty);
        if (hint.isValid())
            show(hint.toString());
    }
    return QObject::eventFilter(watched, event);
}
