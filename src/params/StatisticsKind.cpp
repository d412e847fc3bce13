#include "params/StatisticsKind.h"

#include "params/Catalogue.h"

namespace kivo {

StatisticsKind StatisticsKindOf(int functionIndex) {
    return CatalogueEntryOf(functionIndex).statistics;
}

double MovementThreshold(int functionIndex, int column, double thresholdAngles,
                         double thresholdDistances) {
    switch (CatalogueEntryOf(functionIndex).threshold) {
        case MovementThresholdRule::AnglesButTranslational:
            // The third column holds the translational (distance) measure.
            return column == 2 ? thresholdDistances : thresholdAngles;
        case MovementThresholdRule::Angles:
            return thresholdAngles;
        case MovementThresholdRule::Distances:
            return thresholdDistances;
        case MovementThresholdRule::PixelConstant:
            return kPixelDifferenceThreshold;
        case MovementThresholdRule::None:
            return 0.0;
    }
    return 0.0;
}

int ItemsPerColumn(StatisticsKind kind) {
    switch (kind) {
        case StatisticsKind::General:
            return 4;
        case StatisticsKind::Level:
            return 2;
        case StatisticsKind::DyadicMovement:
            return 5;
        case StatisticsKind::Phases:
            return 7;
    }
    return 0;
}

int ValueCountersNeeded(StatisticsKind kind) {
    switch (kind) {
        case StatisticsKind::General:
            return 1;
        case StatisticsKind::Level:
            return 2;
        case StatisticsKind::DyadicMovement:
            return 7;
        case StatisticsKind::Phases:
            return 8;
    }
    return 0;
}

int DifferenceCountersNeeded(StatisticsKind kind) {
    switch (kind) {
        case StatisticsKind::General:
            return 1;
        case StatisticsKind::Level:
        case StatisticsKind::Phases:
            return 2;
        case StatisticsKind::DyadicMovement:
            return 7;
    }
    return 0;
}

}  // namespace kivo
