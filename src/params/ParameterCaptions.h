#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ParameterRecord.h"

namespace kivo {

// The caption of value column `column` (1-based) without "D ": with Dynamic
// set the captions alternate plain, "D " twin, so column v stands at
// (v - 1) * (1 + Dynamic) + 1.
const std::string& PlainValueCaption(const ParameterRecord& record, int column);

// Writes the value captions of the record at `position` (nValues set and the
// caption array allocated). `name` and `target` are the row's column texts;
// operand rows are read from `records` and must already carry their captions.
void BuildValueCaptions(std::vector<ParameterRecord>& records, int position,
                        const std::string& name, const std::string& target);

// Statistics captions from prefixes: all plain captions first (per value column
// each prefix in turn), then, with `dynamic`, the same for the "D " captions.
void BuildStatisticCaptions(ParameterRecord& record, bool dynamic,
                            std::span<const std::string_view> prefixes);

// The statistics captions a record's function calls for (prefix-built or fixed).
void BuildStatisticCaptionsForFunction(ParameterRecord& record, const std::string& name);

}  // namespace kivo
