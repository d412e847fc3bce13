#include "stats/StatisticsColumnLayout.h"

#include <algorithm>

namespace kivo {
namespace {

// The value captions an output or means header writes for the record.
std::vector<std::string> MeansCaptions(const ParameterRecord& record) {
    const std::size_t count =
        static_cast<std::size_t>(std::max(0, record.nValues)) * (record.dynamic ? 2u : 1u);
    const std::size_t available = std::min(count, record.valueCaptions.size());
    return {record.valueCaptions.begin(),
            record.valueCaptions.begin() + static_cast<long>(available)};
}

const ParameterRecord* RecordAt(const ParameterArray& array, int position) {
    if (position < 1 || static_cast<std::size_t>(position) >= array.size())
        return nullptr;
    const ParameterRecord& record = array[static_cast<std::size_t>(position)];
    return record.enabled ? &record : nullptr;
}

}  // namespace

std::size_t ColumnLayout::FieldCount() const {
    std::size_t count = 0;
    for (const ColumnBlock& block : blocks)
        count += block.captions.size();
    return count;
}

ColumnLayout StatisticsColumnLayout(const ParameterArray& array) {
    ColumnLayout layout;
    for (std::size_t position = 1; position < array.size(); ++position) {
        const ParameterRecord& record = array[position];
        if (record.enabled && record.statistics && !record.statisticsCaptions.empty()) {
            layout.blocks.push_back({static_cast<int>(position), record.statisticsCaptions});
        }
    }
    return layout;
}

ColumnLayout MeansColumnLayout(const ParameterArray& array) {
    ColumnLayout layout;
    for (std::size_t position = 1; position < array.size(); ++position) {
        const ParameterRecord& record = array[position];
        if (!record.enabled || !record.output)
            continue;
        std::vector<std::string> captions = MeansCaptions(record);
        if (!captions.empty())
            layout.blocks.push_back({static_cast<int>(position), std::move(captions)});
    }
    return layout;
}

const ParameterRecord* StatisticsRecordOf(const ParameterArray& array, const ColumnBlock& block) {
    const ParameterRecord* record = RecordAt(array, block.position);
    if (record == nullptr || !record->statistics || record->statisticsCaptions != block.captions)
        return nullptr;
    return record;
}

const ParameterRecord* MeansRecordOf(const ParameterArray& array, const ColumnBlock& block) {
    const ParameterRecord* record = RecordAt(array, block.position);
    if (record == nullptr || !record->output || MeansCaptions(*record) != block.captions)
        return nullptr;
    return record;
}

}  // namespace kivo
