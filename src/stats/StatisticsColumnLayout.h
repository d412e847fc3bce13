#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/ParameterRecord.h"
#include "params/ParameterListCompilation.h"

namespace kivo {

// The columns a header line gives to the rows of the parameter array, in
// header order: for each row with fields in the header, its list position and
// the captions it wrote. A line built against the layout fills a row's fields
// only while the row still has exactly these captions; otherwise (a row that
// a later compilation dropped or changed) the fields stay empty, so that every
// line keeps one field per header caption.
struct ColumnBlock {
    int position = 0;
    std::vector<std::string> captions;
};

struct ColumnLayout {
    std::vector<ColumnBlock> blocks;

    std::size_t FieldCount() const;
};

// Rows of the statistics file: every enabled row with the Statistics flag, with
// its statistics captions.
ColumnLayout StatisticsColumnLayout(const ParameterArray& array);
// Rows of a means file (and of the output files): every enabled row with the
// Output flag, with its value captions (each followed by its "D " caption when
// Dynamic is set).
ColumnLayout MeansColumnLayout(const ParameterArray& array);

// The record at the block's position when it still stands in the array,
// enabled, with the same captions; otherwise nullptr.
const ParameterRecord* StatisticsRecordOf(const ParameterArray& array, const ColumnBlock& block);
const ParameterRecord* MeansRecordOf(const ParameterArray& array, const ColumnBlock& block);

}  // namespace kivo
