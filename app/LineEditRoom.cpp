#include "LineEditRoom.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace trellon {

namespace {

constexpr int kTextSideMargin = 2;

}  // namespace

int lineEditTextRoom(const QLineEdit* field) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth =
        field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QRect contents =
        field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    return contents.marginsRemoved(field->textMargins()).width() - 2 * kTextSideMargin;
}

}  // namespace trellon
