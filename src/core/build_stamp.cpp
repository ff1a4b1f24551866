#include "core/build_stamp.h"

#include <QStringList>

namespace tabel {

std::optional<BuildStamp> parseBuildStamp(const char* dateText, const char* timeText)
{
    static const QStringList months = {u"Jan"_qs, u"Feb"_qs, u"Mar"_qs, u"Apr"_qs, u"May"_qs, u"Jun"_qs,
                                       u"Jul"_qs, u"Aug"_qs, u"Sep"_qs, u"Oct"_qs, u"Nov"_qs, u"Dec"_qs};
    const QString date = QString::fromLatin1(dateText);
    const QString time = QString::fromLatin1(timeText);
    if (date.size() != 11 || time.size() != 8)
        return std::nullopt;

    const int month = months.indexOf(date.left(3)) + 1;
    bool okDay = false, okYear = false;
    const int day = date.mid(4, 2).trimmed().toInt(&okDay);
    const int year = date.mid(7, 4).toInt(&okYear);
    if (month == 0 || !okDay || !okYear || day < 1 || day > 31)
        return std::nullopt;

    const QStringList hms = time.split(u':');
    if (hms.size() != 3)
        return std::nullopt;
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        parts[i] = hms[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 60)
        return std::nullopt;
    return BuildStamp{year * 10000 + month * 100 + day, parts[0] * 3600 + parts[1] * 60 + parts[2]};
}

} // namespace tabel
