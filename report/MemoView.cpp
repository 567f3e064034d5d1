#include "MemoView.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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

bool MemoView::removeLastRun(const QStringList& run) {
    QTextDocument& text = *document();
    const int count = static_cast<int>(run.size());
    for (int first = text.blockCount() - count; count > 0 && first >= 0; --first) {
        bool same = true;
        for (int i = 0; i < count && same; ++i) {
            same = text.findBlockByNumber(first + i).text() == run[i];
        }
        if (!same) {
            continue;
        }
        // The run goes with the line break before it, or after it when it opens the text.
        const QTextBlock start = text.findBlockByNumber(first);
        const QTextBlock end = text.findBlockByNumber(first + count - 1);
        QTextCursor cursor(&text);
        cursor.setPosition(first > 0 ? start.position() - 1 : start.position());
        const int last = end.position() + end.length() - 1;
        const bool followed = first == 0 && end.next().isValid();
        cursor.setPosition(followed ? last + 1 : last, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        return true;
    }
    return false;
}

}  // namespace trellon
