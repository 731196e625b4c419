#pragma once

#include <QDialog>

struct RenameReport;
class QTextEdit;

// What went wrong in a rename walk: a short summary above a scrolling list
// of the rows and their reasons. However many rows failed, the dialog fits
// the screen and its OK button stays within reach. It does not hold up the
// program (open(), not exec()).
class RenameReportDialog final : public QDialog {
    Q_OBJECT
public:
    RenameReportDialog(const RenameReport& report, QWidget* parent);

    // Opens the report over `parent`, unless the walk left nothing to tell.
    static void openFor(const RenameReport& report, QWidget* parent);

private:
    void fillRows(const RenameReport& report);
    void fitToScreen();

    QTextEdit* m_rows = nullptr;
};
