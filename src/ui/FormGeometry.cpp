#include "ui/FormGeometry.h"

#include <cmath>

namespace kivo::ui {
namespace {

bool Has(std::string_view tag, std::size_t position, char letter) {
    return tag.size() > position && tag[position] == letter;
}

}  // namespace

ResizeRecord RecordControl(std::string_view tag, const ControlBox& box, float innerWidth,
                           float innerHeight) {
    ResizeRecord record;
    if (tag.empty()) {
        record.a = box.left * 100.0f / innerWidth;
        record.c = box.width * 100.0f / innerWidth;
        record.d = box.top * 100.0f / innerHeight;
        record.f = box.height * 100.0f / innerHeight;
        return record;
    }
    record.a = box.left;
    record.b = innerWidth - box.left;
    record.c = box.width;
    record.d = box.top;
    record.e = innerHeight - box.top;
    record.f = box.height;
    return record;
}

ControlBox ResizeControl(const ResizeRecord& record, std::string_view tag, ControlKind kind,
                         const ControlBox& current, float innerWidth, float innerHeight) {
    ControlBox box = current;
    const auto setWidth = [&](float width) {
        if (width >= 0.0f)
            box.width = width;
    };
    const auto setHeight = [&](float height) {
        if (height >= 0.0f && kind == ControlKind::Sized)
            box.height = height;
    };
    if (tag.empty()) {
        box.left = innerWidth * record.a / 100.0f;
        setWidth(innerWidth * record.c / 100.0f);
        box.top = innerHeight * record.d / 100.0f;
        setHeight(innerHeight * record.f / 100.0f);
        return box;
    }
    if (tag == "*")
        return box;
    if (!Has(tag, 4, 'F')) {
        box.top = Has(tag, 2, 'T') ? record.d : innerHeight - record.e;
        setHeight(Has(tag, 3, 'T') ? record.f : innerHeight + record.f - record.e - box.top);
    }
    box.left = Has(tag, 0, 'L') ? record.a : innerWidth - record.b;
    setWidth(Has(tag, 1, 'L') ? record.c : innerWidth + record.c - record.b - box.left);
    return box;
}

VariableColumnWidths FitVariableColumns(int listWidthTwips, int otherColumnsTwips,
                                        int twipsPerPixel) {
    VariableColumnWidths widths;
    if (listWidthTwips <= 9595)
        return widths;
    const double third = (listWidthTwips - otherColumnsTwips - 24.0 * twipsPerPixel) / 3.0;
    const int amount = static_cast<int>(std::nearbyint(third));  // half to even
    if (amount <= 0)
        return widths;
    widths.variables = 2 * amount;
    widths.target = amount;
    return widths;
}

}  // namespace kivo::ui
