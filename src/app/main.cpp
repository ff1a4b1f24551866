#include "app/shell.h"
#include "app/tabel_application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// tabel [database] [server]
int main(int argc, char* argv[])
{
    tabel::TabelApplication app(argc, argv);
    app.setApplicationName(u"Табель"_qs);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    // Russian captions on the standard buttons ("Да", "Нет", "Отмена").
    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Russian), u"qtbase"_qs, u"_"_qs,
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtbase);

    const QStringList args = app.arguments().mid(1);
    tabel::Shell shell(tabel::ConnectionSettings::fromArguments(args), tabel::programBuildStamp());
    if (!shell.start())
        return 1;
    shell.showLogin();
    if (shell.ending())
        return 0;
    return app.exec();
}
