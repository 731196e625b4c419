#pragma once
// The auto-rename settings dialog: a list of rules (condition, action,
// details) over a panel of editing buttons. No rule format exists yet, so the
// list stays empty, nothing is stored, and the only thing a user can do is
// close it again with "キャンセル" or the close box.

#include <QDialog>

#include <array>

class QCloseEvent;
class QPushButton;
class QResizeEvent;
class QShowEvent;
class QTreeWidget;

// What a click on one of the dialog's buttons does.
enum class SetButtonAction { Nothing, Close };

struct SetButtonDesign {
    int index;
    const char16_t* caption;
    int left, top, width, height; // twips, relative to the panel "editPanel"
    SetButtonAction click;
};

inline constexpr int SetButtonCount = 7;
inline constexpr int SetClientWidthTwips = 8070;
inline constexpr int SetClientHeightTwips = 4695;
inline constexpr int SetPanelHeightTwips = 1815;

// The seven buttons, by index: "OK", "キャンセル", then the five rule-editing
// buttons along the top of the panel.
[[nodiscard]] const std::array<SetButtonDesign, SetButtonCount>& SetButtonDesigns();

class AutoRenameDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AutoRenameDialog(QWidget* owner = nullptr);

    // Builds the dialog afresh, owned by owner, and shows it modal to the
    // owner's window. Returns at once (no nested event loop); the dialog
    // deletes itself when it is closed. The pointer is for tests.
    static AutoRenameDialog* showModal(QWidget* owner);

    [[nodiscard]] QPushButton* button(int index) const { return m_buttons.at(static_cast<size_t>(index)); }
    [[nodiscard]] QTreeWidget* ruleList() const { return m_list; }
    [[nodiscard]] QWidget* buttonPanel() const { return m_panel; }

    // Escape (and anything else that only asks to reject) leaves the dialog
    // open; closing goes through close(), as the cancel button and the close
    // box do.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void layoutControls();
    void onButton(int index);
    [[nodiscard]] qreal dpi() const;
    [[nodiscard]] int px(int twips) const;

    QTreeWidget* m_list = nullptr;
    QWidget* m_panel = nullptr;
    std::array<QPushButton*, SetButtonCount> m_buttons{};
    bool m_closing = false; // true while a real close runs through reject()
};
