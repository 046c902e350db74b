#include "TextSpinBox.h"

#include <QLineEdit>

TextSpinBox::TextSpinBox(QWidget* parent) : QAbstractSpinBox(parent) {
    connect(lineEdit(), &QLineEdit::textChanged, this, &TextSpinBox::textChanged);
}

QString TextSpinBox::text() const {
    return lineEdit()->text();
}

void TextSpinBox::setText(const QString& text) {
    lineEdit()->setText(text);
}

void TextSpinBox::stepBy(int steps) {
    bool isNumber = false;
    long long value = text().trimmed().toLongLong(&isNumber);
    setText(QString::number((isNumber ? value : 0) + steps));
}
