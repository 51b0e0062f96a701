#include "keyword_box.h"

#include <QKeyEvent>
#include <limits>

namespace velmora {

KeywordBox::KeywordBox(QWidget* parent) : QLineEdit(kKeywordHint, parent) {
    setObjectName(QStringLiteral("编辑框1"));
    // A title of any length may be searched.
    setMaxLength(std::numeric_limits<int>::max());
}

void KeywordBox::focusInEvent(QFocusEvent* event) {
    if (text() == kKeywordHint) clear();
    QLineEdit::focusInEvent(event);
}

void KeywordBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) emit enterPressed();
    QLineEdit::keyPressEvent(event);
}

}  // namespace velmora
