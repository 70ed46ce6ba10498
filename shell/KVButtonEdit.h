#pragma once

// A one-line editor with an ellipsis button at its right end, for fields whose value can also
// be picked (a file, a record of a reference book).

#include <QWidget>

class QLineEdit;
class QToolButton;

class TKVButtonEdit : public QWidget {
    Q_OBJECT
public:
    explicit TKVButtonEdit(QWidget* AParent = nullptr);

    QString text() const;
    void setText(const QString& AText);
    QLineEdit* LineEdit() const { return FEdit; }
    QToolButton* Button() const { return FButton; }

signals:
    void ButtonClick();

private:
    QLineEdit* FEdit = nullptr;
    QToolButton* FButton = nullptr;
};
