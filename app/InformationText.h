#pragma once

#include <QString>

namespace trellon {

// The ten lines of the information box, joined by line breaks.
QString informationText();

}  // namespace trellon
