// The main window's toolbar 工具条1: nine items by index (separators
// included), the first a button with a drop-down arrow.
#pragma once

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <array>

namespace velmora {

// A tool button whose arrow part reports a click instead of popping its
// menu itself, so the window decides where the menu appears.
class DropDownToolButton : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;
    // The arrow part, in this button's coordinates.
    QRect arrowRect() const;

signals:
    void arrowClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class MainToolbar : public QToolBar {
    Q_OBJECT
public:
    static constexpr int kItemCount = 9;

    // `dropDownMenu` is the menu that the arrow of item 0 stands for.
    MainToolbar(QMenu* dropDownMenu, QWidget* parent);

    // Item `index` (0..8): a button's action or a separator.
    QAction* item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    QString itemText(int index) const;
    void setItemText(int index, const QString& text);
    // The widget that shows item `index`.
    QWidget* itemWidget(int index) const;

signals:
    void itemClicked(int index);
    // The arrow of item `index` was clicked; `screenPoint` is the left edge
    // of that button, 2 pixels below its bottom edge.
    void dropDownClicked(int index, QPoint screenPoint);

private:
    std::array<QAction*, kItemCount> items_{};
    DropDownToolButton* dropDownButton_ = nullptr;
};

}  // namespace velmora
