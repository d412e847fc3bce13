#include "media/PixelDifference.h"

#include "core/StatusCode.h"

namespace kivo {

int FileVideo::Measure(long frameNumber, bool firstFrame, const std::string& clipSuffix,
                       double& value) {
    if (frameNumber != measuredFrame_) {
        measuredFrame_ = frameNumber;
        value_ = 0.0;
        status_ = kStatusDataError;
        if (firstFrame) {
            if (frames_.GetFirstFrame(clipSuffix))
                status_ = kStatusOk;
        } else if (frames_.GetNextFrame(clipSuffix)) {
            value_ = frames_.GetPixelDifference();
            status_ = value_ < 0.0 ? kStatusDataError : kStatusOk;
        }
    }
    value = value_;
    return status_;
}

int CalculatePixelDifference(ParameterRecord& record, bool firstFrame, FileVideo* video,
                             long frameNumber, const std::string& clipSuffix) {
    double& value = record.Current(0, 1);
    value = 0.0;
    if (video == nullptr)
        return kStatusDataError;
    return video->Measure(frameNumber, firstFrame, clipSuffix, value);
}

}  // namespace kivo
