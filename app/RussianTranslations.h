#pragma once

class QCoreApplication;

namespace trellon {

// Installs the toolkit's own Russian texts, whatever the system's language, so that standard
// buttons and dialogs speak Russian like the rest of the window. Returns false when the
// translation file is missing; the toolkit's English texts then stay.
bool installRussianTranslations(QCoreApplication& application);

}  // namespace trellon
