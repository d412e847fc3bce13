#pragma once

#include <memory>
#include <string>

#include "media/ClipCodec.h"
#include "media/PixelFrame.h"

namespace kivo {

// Writes one video clip: packed 24-bit frames (as VideoDecoder gives them)
// encoded with the chosen encoder into the container of the clip's
// extension. The clip is written under a temporary name beside it and takes
// its own name only when it is complete.
class ClipWriter {
  public:
    ClipWriter();
    ~ClipWriter();
    ClipWriter(const ClipWriter&) = delete;
    ClipWriter& operator=(const ClipWriter&) = delete;

    // False when the clip cannot be created with these settings; `Error()`
    // then says why and nothing is left on disk.
    bool Open(const std::string& path, const ClipCodecChoice& codec, int width, int height,
              int rateNumerator, int rateDenominator);
    // False when the frame cannot be encoded or written.
    bool Write(const PixelFrame& frame);
    // Writes what the encoder still holds and completes the file. False
    // when that fails (the incomplete file is removed).
    bool Close();
    // Stops writing and removes the incomplete file.
    void Abandon();
    bool IsOpen() const;
    const std::string& Path() const;
    const std::string& Error() const;
    long FramesWritten() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace kivo
