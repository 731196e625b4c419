#pragma once

#include <QLabel>

// One panel of the status bar st. It never asks for more width than the bar
// gives it: a text too long for the panel is shortened with "…" on screen,
// and the whole text stays in its tooltip. For screen readers the panel's
// accessible name is its whole text, announced on every change, and its
// caption ("メッセージ", "総数") is the accessible description.
class StatusPanel final : public QLabel {
    Q_OBJECT
public:
    StatusPanel(const QString& caption, QWidget* parent = nullptr);

    void setFullText(const QString& text);
    [[nodiscard]] const QString& fullText() const { return m_fullText; }

    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showElided();

    QString m_fullText;
};
