#pragma once

// The program speaks Russian whatever the system's language, Qt's own
// dialogs and buttons included ("Отмена", "Папка:", "Имя файла:").
class RussianTranslations
{
public:
    // Loads Qt's Russian translations into the running application; false
    // when they are not installed (the dialogs then stay in English).
    static bool install();
};
