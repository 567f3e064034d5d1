#pragma once

namespace trellon {

// The decimal separator of the user's locale as the engine takes it.
char localeDecimalSeparator();

}  // namespace trellon
