#include "cli/UserDecimalSymbol.h"

#include <clocale>

namespace kivo::cli {

std::string UserDecimalSymbol() {
    std::string symbol = ".";
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const std::lconv* conventions = std::localeconv();
        if (conventions && conventions->decimal_point && *conventions->decimal_point)
            symbol = conventions->decimal_point;
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    return symbol;
}

}  // namespace kivo::cli
