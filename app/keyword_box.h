// The keyword box 编辑框1. Its start text is a hint that is ordinary
// content: the first focus clears it, and nothing puts it back.
#pragma once

#include <QLineEdit>

namespace velmora {

inline const QString kKeywordHint = QStringLiteral("输入电影、电视剧等");

class KeywordBox : public QLineEdit {
    Q_OBJECT
public:
    explicit KeywordBox(QWidget* parent);

signals:
    // Enter was pressed; the key still reaches the box afterwards.
    void enterPressed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace velmora
