#include "settings/StoreLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace kivo {
namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string HomeFolder() {
    std::string home = Variable("HOME");
    if (!home.empty())
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        home = found->pw_dir;
    }
    return home;
}

}  // namespace

std::string PerUserStorePath() {
    const std::string chosen = Variable(kStoreVariable);
    if (!chosen.empty())
        return chosen;
    std::string config = Variable("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        const std::string home = HomeFolder();
        if (home.empty()) {
            throw std::runtime_error(
                "The settings store has no place: neither KIVO_STORE nor a home folder is set");
        }
        config = home + "/.config";
    }
    while (config.size() > 1 && config.back() == '/')
        config.pop_back();
    return config + "/kivo/settings.sqlite";
}

}  // namespace kivo
