#pragma once

#include <QString>

#include <optional>

namespace tabel {

// When the program was built: the date as YYYYMMDD and the time of day in
// seconds. The version row compares stamps to stop outdated clients.
struct BuildStamp {
    int date = 0;
    int time = 0;

    // "20241015.81658", as the login caption shows it.
    QString text() const { return QString::number(date) + u'.' + QString::number(time); }
    friend auto operator<=>(const BuildStamp&, const BuildStamp&) = default;
};

// Reads the compiler's texts: date "Oct 15 2024" (day padded with a blank),
// time "22:40:58".
std::optional<BuildStamp> parseBuildStamp(const char* dateText, const char* timeText);

// The stamp of this build of the program.
BuildStamp programBuildStamp();

} // namespace tabel
