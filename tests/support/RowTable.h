#pragma once

#include <QTest>

// A table of rows, each a text of fields separated by '|' and named by itself; fields() are the running row's.
inline void table(std::initializer_list<const char*> rows) {
    QTest::addColumn<QString>("row");
    for (const char* row : rows) QTest::newRow(row) << QString::fromUtf8(row);
}
inline QStringList fields() {
    QFETCH(QString, row);
    return row.split(u'|');
}
