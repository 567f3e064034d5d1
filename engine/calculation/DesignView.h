#pragma once

#include <string>

#include "ResultFields.h"

namespace trellon {

// What the synthesis needs of the window: a warning box with one OK button, the results panel
// made visible, and the text of a result field set.
class DesignView {
public:
    virtual ~DesignView() = default;
    virtual void showWarning(const std::string& text) = 0;
    virtual void showResultsPanel() = 0;
    virtual void setResultField(ResultField field, const std::string& text) = 0;
};

}  // namespace trellon
