#pragma once

#include <QObject>

class QLineEdit;

// Makes a line edit a box for a program's path: its text is selected on
// focus, so a new path is typed over the old one, and a file dropped on it
// gives its path.
class PathBoxFilter final : public QObject {
    Q_OBJECT
public:
    explicit PathBoxFilter(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_box;
};
