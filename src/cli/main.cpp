#include "cli/korvane_ctl.h"
#include "platform/debug_switch.h"
#include "sim/backend_choice.h"
#include "storage/app_paths.h"
#include "storage/config_file.h"
#include "storage/language_table.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTranslator>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    // The device link's debug lines are off; a shell user sees them with KORVANE_DEBUG=1.
    applyDebugSwitch();
    // Settings beside the program, or for an installed one in the user's folder, seeded on first start.
    AppPaths::startUp(QCoreApplication::applicationDirPath());
    // Messages in the language chosen in the window; JSON keys and values for scripts stay as they are.
    LanguageTable languages;
    config::readLanguageTable(languages);
    const int language = config::languageIndex();
    QTranslator translator;
    if (language >= 0 && language < LanguageTable::kMaxLanguages && !languages.files[language].isEmpty() &&
        translator.load(AppPaths::applicationDir() + "/lang/" + languages.files[language] + ".qm"))
        QCoreApplication::installTranslator(&translator);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    // Device commands run on hidapi, or on the virtual mouse with --virtual (anywhere on the command
    // line) or KORVANE_VIRTUAL_MOUSE=1.
    const bool useVirtual = virtualMouseRequested(arguments);
    return KorvaneCtl(out, err, [useVirtual] { return chooseHidBackend(useVirtual).backend; }).run(arguments);
}
