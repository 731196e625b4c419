#pragma once

#include <QTableView>

// The rename list in report view, with grid lines and whole-row
// selection. It reports drops of files, the
// Delete key and the right button's release; the window decides what they do.
class RenameListView final : public QTableView {
    Q_OBJECT
public:
    explicit RenameListView(QWidget* parent = nullptr);

Q_SIGNALS:
    void pathsDropped(const QStringList& paths, Qt::KeyboardModifiers modifiers);
    void deletePressed();
    void rightButtonReleased(const QPoint& globalPos, bool overRow);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
