#pragma once

class QCoreApplication;

namespace urdiva::ui {

// Loads Qt's own Brazilian Portuguese translations, so that the standard buttons and dialogs
// speak the language of the rest of the program ("Sim", "Não", "Abrir", "Cancelar"). Without
// them installed, the standard texts stay in English.
void loadQtTranslations(QCoreApplication& application);

} // namespace urdiva::ui
