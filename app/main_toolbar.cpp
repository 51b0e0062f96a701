#include "main_toolbar.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionToolButton>

#include "toolbar_icons.h"

namespace velmora {

QRect DropDownToolButton::arrowRect() const {
    QStyleOptionToolButton option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButtonMenu, this);
}

void DropDownToolButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && arrowRect().contains(event->position().toPoint())) {
        event->accept();
        emit arrowClicked();
        return;
    }
    QToolButton::mousePressEvent(event);
}

namespace {

struct ToolButtonEntry {
    int index;
    const char16_t* text;
    const char16_t* toolTip;
    ToolbarImage image;
};

constexpr ToolButtonEntry kButtons[] = {
    {0, u"在线播放", u"挖掘出在线播放的视频", ToolbarImage::Play},
    {2, u"视频下载", u"挖掘出全网视频下载地址", ToolbarImage::Download},
    {4, u"手机电影", u"挖掘出手机下载格式的视频", ToolbarImage::Phone},
    {6, u"MTV视频", u"挖掘所有MTV视频", ToolbarImage::Music},
    {8, u"DJ下载", u"DJ在线播放、下载", ToolbarImage::Headphones},
};

}  // namespace

MainToolbar::MainToolbar(QMenu* dropDownMenu, QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("工具条1"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    for (const ToolButtonEntry& entry : kButtons) {
        if (entry.index > 0) items_[static_cast<std::size_t>(entry.index - 1)] = addSeparator();
        auto* action = new QAction(toolbarIcon(entry.image), QString::fromUtf16(entry.text), this);
        action->setToolTip(QString::fromUtf16(entry.toolTip));
        const int index = entry.index;
        connect(action, &QAction::triggered, this, [this, index] { emit itemClicked(index); });
        items_[static_cast<std::size_t>(index)] = action;
        if (index == 0) {
            dropDownButton_ = new DropDownToolButton(this);
            dropDownButton_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            dropDownButton_->setDefaultAction(action);
            dropDownButton_->setMenu(dropDownMenu);  // only for the arrow; its clicks come to us
            dropDownButton_->setPopupMode(QToolButton::MenuButtonPopup);
            connect(dropDownButton_, &DropDownToolButton::arrowClicked, this, [this] {
                emit dropDownClicked(0,
                                     dropDownButton_->mapToGlobal(QPoint(0, dropDownButton_->height() + 2)));
            });
            addWidget(dropDownButton_);
        } else {
            addAction(action);
        }
    }
}

QString MainToolbar::itemText(int index) const {
    return item(index)->isSeparator() ? QString() : item(index)->text();
}

void MainToolbar::setItemText(int index, const QString& text) {
    item(index)->setText(text);
}

QWidget* MainToolbar::itemWidget(int index) const {
    return index == 0 ? static_cast<QWidget*>(dropDownButton_) : widgetForAction(item(index));
}

}  // namespace velmora
