#pragma once

#include <map>
#include <string>
#include <vector>

#include "DesignView.h"
#include "ResultFields.h"

namespace trellon {

// Stands in for the main window: keeps every call, in order, so that a test can see what was
// shown and when.
class RecordingDesignView : public DesignView {
public:
    void showWarning(const std::string& text) override {
        warnings.push_back(text);
        events.push_back("warning " + text);
    }
    void showResultsPanel() override {
        ++resultsPanelShown;
        events.push_back("results panel");
    }
    void setResultField(ResultField field, const std::string& text) override {
        fields[field] = text;
        events.push_back(resultFieldName(field) + "=" + text);
    }

    std::vector<std::string> warnings;
    std::map<ResultField, std::string> fields;
    std::vector<std::string> events;
    int resultsPanelShown = 0;
};

}  // namespace trellon
