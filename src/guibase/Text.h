#pragma once
// The program's interface texts are written in the sources as UTF-8 string
// literals; Text() turns one into the QString a control shows. Every text a
// window shows goes through here, so that a translation can later be looked
// up in this one place.

#include <QString>

inline QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}
