#include "io/ImportLimits.h"

#include "io/ImportError.h"
#include "map/TSPMap.h"

#include <string>

namespace {

[[noreturn]] void Refuse(std::string message, std::string_view advice) {
    if (!advice.empty()) {
        message += ' ';
        message += advice;
    }
    throw EImportError(message);
}

} // namespace

void CheckImportLimits(int64_t nodes, int64_t roadEntries, std::string_view advice) {
    if (nodes > kMaxNodes) {
        Refuse("Карта из " + std::to_string(nodes) +
                   " узлов слишком велика: программа вмещает не более " +
                   std::to_string(kMaxNodes) + " узлов.",
               advice);
    }
    if (nodes > kMaxMatrixNodes) {
        Refuse("Карта из " + std::to_string(nodes) +
                   " узлов слишком велика: решатель строит таблицу расстояний не более чем для " +
                   std::to_string(kMaxMatrixNodes) + " узлов.",
               advice);
    }
    if (roadEntries > kMaxRoadEntries) {
        Refuse("Карта из " + std::to_string(roadEntries / 2) +
                   " дорог слишком велика: программа вмещает не более " +
                   std::to_string(kMaxRoadEntries / 2) + " дорог.",
               advice);
    }
}
