#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// The data-field names offered for binding: shared by the list boxes of all 86
// input variables. The first entry is the empty text (unbound).
class DataFieldNameList {
  public:
    DataFieldNameList() : names_{std::string()} {}

    // Appends `name` unless an equal entry exists (exact comparison).
    void Add(std::string_view name) {
        if (!Contains(name))
            names_.emplace_back(name);
    }
    bool Contains(std::string_view name) const {
        return std::find(names_.begin(), names_.end(), name) != names_.end();
    }
    // Back to the single empty entry.
    void Clear() { names_.assign(1, std::string()); }
    // True when the list holds only the empty entry.
    bool IsEmpty() const { return names_.size() <= 1; }

    const std::vector<std::string>& Names() const { return names_; }

    bool operator==(const DataFieldNameList&) const = default;

  private:
    std::vector<std::string> names_;
};

}  // namespace kivo
