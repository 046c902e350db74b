#pragma once

#include <QAbstractSpinBox>

// A spin box whose text is whatever the user or the settings put there:
// the reflow reads the text itself (an empty box or "abc" mean 65 bytes,
// "1.5" is an error), so the box must not correct it. The arrows step a
// whole number by one, without bounds.
class TextSpinBox : public QAbstractSpinBox {
    Q_OBJECT
  public:
    explicit TextSpinBox(QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
    void stepBy(int steps) override;

  signals:
    void textChanged(const QString& text);

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};
