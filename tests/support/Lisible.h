#pragma once
// Readable strings and points in GoogleTest's failure messages.
#include <QPointF>
#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QPointF& p, std::ostream* os) {
    *os << '(' << p.x() << ',' << p.y() << ')';
}
