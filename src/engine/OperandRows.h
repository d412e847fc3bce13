#pragma once

#include <cstddef>
#include <vector>

#include "core/ParameterRecord.h"

namespace kivo {

// Checks shared by the calculation functions that read their own record and
// the records of earlier rows. They guard every value access, so a record
// built by hand (or a row computed for a person it was not compiled for)
// gives a status instead of a read or write out of range.

// True when the record holds at least `columns` value columns for `person`
// (1 = A, 2 = B; person B only when the row is computed for the partner).
inline bool HoldsValues(const ParameterRecord& record, int person, int columns) {
    if (person < 1 || person > record.Persons() || columns < 0 || record.nValues < columns)
        return false;
    const auto needed =
        static_cast<std::size_t>(record.nValues) * static_cast<std::size_t>(record.Persons());
    return record.currentValues.size() >= needed && record.previousValues.size() >= needed;
}

// The enabled row at list position `position` when it holds `columns` value
// columns for `person`; nullptr otherwise (no such row, a disabled row, too
// few columns, or a row not computed for that person).
inline const ParameterRecord* OperandRow(const std::vector<ParameterRecord>& records, int position,
                                         int person, int columns) {
    if (position < 1 || static_cast<std::size_t>(position) >= records.size())
        return nullptr;
    const ParameterRecord& row = records[static_cast<std::size_t>(position)];
    if (!row.enabled || !HoldsValues(row, person, columns))
        return nullptr;
    return &row;
}

// The record of the row being computed, or nullptr for a position outside the list.
inline ParameterRecord* OwnRow(std::vector<ParameterRecord>& records, int position) {
    if (position < 1 || static_cast<std::size_t>(position) >= records.size())
        return nullptr;
    return &records[static_cast<std::size_t>(position)];
}

// The n-th (0-based) entry of an index list, or `fallback` when it has none.
inline int IndexAt(const std::vector<int>& indices, std::size_t n, int fallback) {
    return n < indices.size() ? indices[n] : fallback;
}

}  // namespace kivo
