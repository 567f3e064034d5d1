#pragma once

#include <string>

namespace trellon {

// A multi-line text view that the report appends to: the results panel or the log.
class TextView {
public:
    virtual ~TextView() = default;
    virtual void show() = 0;
    virtual void appendLine(const std::string& line) = 0;
};

}  // namespace trellon
