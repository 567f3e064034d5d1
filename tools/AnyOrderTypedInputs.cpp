#include "AnyOrderTypedInputs.h"

#include <QString>

#include "CommandError.h"
#include "NumberText.h"
#include "texts/AnyOrderTexts.h"
#include "texts/FailureTexts.h"

namespace trellon {

AnyOrderInputs anyOrderInputsOf(const ProjectAnyOrder& typed, char decimalSeparator) {
    const auto number = [decimalSeparator](const std::string& text, const char* caption) {
        try {
            return TypedNumber(text, decimalSeparator);
        } catch (const CommandError&) {
            throw CommandError(
                QString::fromUtf8(texts::kNotANumber)
                    .arg(QString::fromUtf8(caption), QString::fromStdString(text).trimmed())
                    .toStdString());
        }
    };
    AnyOrderInputs inputs;
    inputs.family = typed.family;
    inputs.order = typed.order;
    inputs.rippleDb = typed.rippleDb;
    inputs.crystal = typedLadderCrystal(
        number(typed.Fo, texts::kAnyOrderFo), number(typed.Ld, texts::kAnyOrderLd),
        number(typed.Cs, texts::kAnyOrderCs), number(typed.Rd, texts::kAnyOrderRd));
    inputs.bandwidthHz = number(typed.bandwidth, texts::kAnyOrderBandwidth);
    return inputs;
}

}  // namespace trellon
