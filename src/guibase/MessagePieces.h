#pragma once
// The pieces the Qt-free core composes its messages of (the texts between
// the values), which MessageText() translates one by one. The list comes with
// the translation; none while the interface is Russian.

#include <QStringList>

void SetMessagePieces(QStringList pieces);
