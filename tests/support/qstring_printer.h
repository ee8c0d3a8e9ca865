// Lets GoogleTest print a QString as readable UTF-8 in failure messages.
#pragma once
#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
