#include "core/TSPErrors.h"

std::string IndexErrorMessage(const std::string& operation, long long index, long long low,
                              long long count) {
    return "Неправильный индекс при обращении к " + operation + " (" + std::to_string(index) +
           "). Индекс должен лежать в диапазоне от " + std::to_string(low) + " до " +
           std::to_string(count);
}
