// PlayerPageWindow: the program's own small browser for the player pages
// of the two film sites. At most one exists; it lives until the user
// closes it.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>

class QLabel;
class QStatusBar;
class QWebEngineView;

namespace velmora {

class PlayerPageWindow : public QWidget {
    Q_OBJECT
public:
    // The open window, or nullptr when none is open.
    static PlayerPageWindow* current();
    // The open window; when none is open, a new one, shown centred on the
    // screen. An open window is neither moved nor brought to the front.
    static PlayerPageWindow* openOrReuse();

    ~PlayerPageWindow() override;

    QWebEngineView* view() const { return view_; }
    // The status bar's left part (0: the view's status text) or right part (1: the credit).
    QString statusText(int part) const;

    static constexpr QSize kOuterSize{760, 580};
    static constexpr int kStatusPart0Width = 600;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    PlayerPageWindow();
    void showViewStatus(const QString& text);

    QWebEngineView* view_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusPart0_ = nullptr;
    QLabel* statusPart1_ = nullptr;
    QString loadStatus_;  // shown again when the mouse leaves a link
};

// Top-left corner of a window of `outer` size centred on a screen of
// `screen` size.
QPoint centredTopLeft(QSize screen, QSize outer);

}  // namespace velmora
