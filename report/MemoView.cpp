#include "MemoView.h"

#include <QTextBlock>

namespace trellon {

MemoView::MemoView(QWidget* parent) : QPlainTextEdit(parent) {
    QTextOption centred = document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    document()->setDefaultTextOption(centred);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void MemoView::appendLine(const std::string& line) {
    appendPlainText(QString::fromStdString(line));
}

QStringList MemoView::lines() const {
    QStringList result;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        result += block.text().split(QChar::LineSeparator);
    }
    return result;
}

}  // namespace trellon
