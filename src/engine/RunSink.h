#pragma once

#include <cstdint>
#include <string>

namespace kivo {

// Where a calculation run is while it reads a file.
struct RunProgress {
    std::string fileName;
    int fileNumber = 0;  // 1-based position in the input file list
    int fileCount = 0;
    std::uint64_t bytesRead = 0;
    std::uint64_t fileSize = 0;
    long framesProcessed = 0;
};

// The front end's view of a run: progress reports (at most about every 30 ms,
// plus one at the end of each file) and the cancel request, polled once per
// processed frame.
class RunSink {
  public:
    virtual ~RunSink() = default;
    virtual void FileStarted(const RunProgress& /*progress*/) {}
    virtual void Progress(const RunProgress& /*progress*/) {}
    virtual void FileFinished(const RunProgress& /*progress*/) {}
    // True once per cancel request: the run then asks whether to abort.
    virtual bool TakeCancelRequest() { return false; }
};

}  // namespace kivo
