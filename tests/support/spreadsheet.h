#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace tabel::test {

// Sets an environment variable for one scope.
class EnvScope {
public:
    EnvScope(const char* name, const QByteArray& value);
    ~EnvScope();
    EnvScope(const EnvScope&) = delete;
    EnvScope& operator=(const EnvScope&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

// A saved workbook as a spreadsheet program reads it (support/xlsx_dump.py):
// {"sheets": [...], "cells": {"column,row": {type, value, format, bold}},
// "widths": {...}}. Empty when it cannot be read.
QJsonObject readWorkbook(const QString& path);

} // namespace tabel::test
