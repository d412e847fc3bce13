#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kivo {

// The data-field names offered for binding: shared by the list boxes of all 86
// input variables. The first entry is the empty text (unbound).
class DataFieldNameList {
  public:
    DataFieldNameList() : names_{std::string()}, index_{std::string()} {}

    // Appends `name` unless an equal entry exists (exact comparison). Takes
    // constant time, so that a format line of many names is read in linear time.
    void Add(std::string_view name) {
        if (index_.emplace(name).second)
            names_.emplace_back(name);
    }
    bool Contains(std::string_view name) const { return index_.contains(std::string(name)); }
    // Back to the single empty entry.
    void Clear() {
        names_.assign(1, std::string());
        index_ = {std::string()};
    }
    // True when the list holds only the empty entry.
    bool IsEmpty() const { return names_.size() <= 1; }

    const std::vector<std::string>& Names() const { return names_; }

    bool operator==(const DataFieldNameList& other) const { return names_ == other.names_; }

  private:
    std::vector<std::string> names_;
    std::unordered_set<std::string> index_;
};

}  // namespace kivo
